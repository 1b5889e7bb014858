#pragma once
// The viewer's frame: a real menu bar built from the Host's menus, a tool
// bar with the Host's buttons, and one window per open document. Enable
// procedures are asked before a menu drops down and whenever the tool bar
// is refreshed.

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "standins/viewer/Host.h"

namespace viewer {

class MainWindow {
 public:
  explicit MainWindow(Host& host);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates and shows the frame; false when Windows refuses.
  bool create(HINSTANCE instance);
  HWND hwnd() const { return frame_; }
  // Asks every tool button's enable procedure and greys the button accordingly.
  void refreshToolBar();
  // Runs the enabled menu item whose shortcut this key message is; true if
  // one ran. Keys meant for a dialog are left to it.
  bool runShortcut(const MSG& message);
  // The window of the document shown last, or null.
  HWND lastDocumentWindow() const { return lastDocument_; }
  // Runs before the frame goes: unloads the plug-ins.
  std::function<void()> onClosing;

 private:
  static LRESULT CALLBACK frameProcedure(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK documentProcedure(HWND, UINT, WPARAM, LPARAM);
  static LRESULT documentMessage(HWND, UINT, WPARAM, LPARAM);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void rebuildMenus();
  void rebuildToolBar();
  void showDocument(Document& document);
  void onInitMenu(HMENU popup);
  void onCommand(UINT id, HWND control);
  void layout();

  Host& host_;
  HINSTANCE instance_ = nullptr;
  HWND frame_ = nullptr;
  HWND toolbar_ = nullptr;          // child of frame_, destroyed with it
  HIMAGELIST images_ = nullptr;     // owned
  HBITMAP findPicture_ = nullptr;   // owned: the viewer's own "Find" button
  bool closing_ = false;
  HWND lastDocument_ = nullptr;  // one of the documents' windows
};

}  // namespace viewer
