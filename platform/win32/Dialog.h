#pragma once
// Base of every dialog view: one class per dialog template. The shared dialog
// procedure stores `this` at WM_INITDIALOG and routes messages to virtual
// handlers; no exception leaves it.

#include <windows.h>

#include <string>

namespace tarvek::win32 {

class Dialog {
 public:
  Dialog(HINSTANCE resources, int templateId) : resources_(resources), templateId_(templateId) {}
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally; returns what end() was given, or -1 when the
  // dialog could not be created.
  INT_PTR runModal(HWND parent);
  // Creates the dialog modelessly; true iff its window exists.
  bool createModeless(HWND parent);
  // Destroys a modeless dialog's window, if any.
  void destroy();

  HWND hwnd() const { return hwnd_; }
  HINSTANCE resources() const { return resources_; }

  // For a program that hands Windows dialog procedures exported under names
  // of its own: each forwards to forwardMessage, and the dialog runs through it.
  static INT_PTR CALLBACK forwardMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR runModalThrough(HWND parent, DLGPROC procedure);
  bool createModelessThrough(HWND parent, DLGPROC procedure);

 protected:
  // WM_INITDIALOG; return true to let Windows set the default focus.
  virtual bool onInit() { return true; }
  // WM_COMMAND; return true when handled. The default ends a modal dialog
  // with IDOK or IDCANCEL.
  virtual bool onCommand(int id, int notifyCode, HWND control);
  // WM_NOTIFY; the result goes back through DWLP_MSGRESULT.
  virtual bool onNotify(int id, NMHDR* header, LRESULT* result);
  // Any other message; return true when handled.
  virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

  // Ends a modal dialog with this result, or destroys a modeless one.
  void end(INT_PTR result);

  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  void setItemText(int id, const std::string& text) const;
  std::string itemText(int id) const;
  void enableItem(int id, bool enable) const;
  bool isChecked(int id) const;
  void setChecked(int id, bool checked) const;
  void setTitle(const std::string& text) const;

 private:
  static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE resources_;  // not owned: the module holding the template
  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace tarvek::win32
