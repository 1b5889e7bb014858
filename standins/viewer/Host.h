#pragma once
// The viewer side of the plug-in interface: serves its function tables as
// arrays indexed by selector, keeps the core's exception frame stack and the
// objects behind the handles it gives. One Host per process; the table
// functions reach it through host().

#include <csetjmp>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "standins/viewer/Model.h"
#include "standins/viewer/Options.h"

namespace viewer {

class Host {
 public:
  explicit Host(const Options& options);

  const Options& options() const { return options_; }

  // Tables offered to plug-ins.
  HFT core() const;
  HFT table(const std::string& name, uint32_t version) const;

  ASAtom atom(const std::string& text);
  const std::string& atomText(ASAtom atom) const;

  Extension* newExtension(const std::string& file);
  // On Windows a callback is the procedure itself, which the viewer later
  // calls; the viewer remembers which ones it made.
  ASCallback newCallback(Extension* owner, ASProc procedure);
  // The callback behind a handle, or null (and a printed complaint) when the
  // handle is not one this viewer made.
  Callback* callback(ASCallback handle, const char* use);

  // The core's exception frames, the plug-ins' and the viewer's own.
  struct Frame {
    void* environment;
    RestoreProc restore;
    bool viewers;  // pushed by callPlugIn
  };
  std::vector<Frame>& frames() { return frames_; }
  ASInt32 raisedCode() const { return raisedCode_; }
  // Jumps through the restore procedure of the frame on top; does not return.
  [[noreturn]] void raise(ASInt32 code);
  // Runs `call`, a call into a plug-in, inside a frame of the viewer's own,
  // as the viewer does around every call into a plug-in. A raise that no
  // frame of the plug-in catches lands here and is an error of the run, as
  // is a frame the plug-in leaves pushed. False when the call was jumped out of.
  template <typename Call>
  bool callPlugIn(const std::string& what, const Call& call);

  // Menu bar and tool bar.
  std::vector<Menu*>& menubar() { return menubar_; }
  std::vector<ToolButton*>& toolbar() { return toolbar_; }
  Menu* newMenu(const std::string& title, const std::string& name, Extension* owner);
  MenuItem* newItem(const std::string& title, const std::string& name, Extension* owner);
  Menu* findMenu(const std::string& name);             // anywhere in the menu bar
  MenuItem* findItem(const std::string& name);         // anywhere in the menu bar
  MenuItem* itemByCommand(UINT commandId);
  ToolButton* newButton(const std::string& name);
  ToolButton* findButton(const std::string& name);     // on the tool bar
  ToolButton* buttonByCommand(UINT commandId);
  void appendItem(Menu* menu, MenuItem* item);
  void removeItem(MenuItem* item);

  // Asks an item's or button's enable procedure; true when it has none.
  bool enabled(const MenuItem& item);
  bool enabled(const ToolButton& button);
  // Runs the execute procedure (or the viewer's own action).
  void execute(MenuItem& item);
  void execute(ToolButton& button);

  // Documents.
  Document* openDocument(const std::string& path);
  std::vector<std::unique_ptr<Document>>& documents() { return documents_; }

  // Objects handed out through the tables.
  PathName* newPath(const std::string& path);
  Page* newPage(Document* document, int number);
  Selection* newSelection(Document* document, int page, std::vector<HighlightEntry> entries);
  std::vector<std::unique_ptr<PathName>>& paths() { return paths_; }
  std::vector<std::unique_ptr<Page>>& pages() { return pages_; }
  std::vector<std::unique_ptr<Selection>>& selections() { return selections_; }
  std::vector<std::unique_ptr<Menu>>& allMenus() { return menus_; }
  std::vector<std::unique_ptr<MenuItem>>& allItems() { return items_; }

  // Host-call log: documents opened, pages shown, selections, beeps, alerts.
  void log(const std::string& utf8) { log_.push_back(utf8); }
  std::vector<std::string> takeLog();

  // Modeless dialogs of plug-ins, which the message loop hands to IsDialogMessage.
  std::set<HWND>& modelessDialogs() { return modeless_; }

  // Told when the menu bar, the tool bar or the documents change.
  std::function<void()> onMenusChanged;
  std::function<void()> onToolsChanged;
  std::function<void(Document&)> onDocumentChanged;
  // The frame window, owner of alerts and documents.
  HWND frame = nullptr;

 private:
  Options options_;
  std::vector<std::string> atoms_{""};  // atom 0 is no atom
  std::map<std::string, ASAtom> atomIds_;
  std::vector<std::unique_ptr<Extension>> extensions_;
  std::map<ASCallback, std::unique_ptr<Callback>> callbacks_;
  std::vector<Frame> frames_;
  ASInt32 raisedCode_ = 0;
  std::vector<std::unique_ptr<Menu>> menus_;
  std::vector<std::unique_ptr<MenuItem>> items_;
  std::vector<std::unique_ptr<ToolButton>> buttons_;
  std::vector<std::unique_ptr<Document>> documents_;
  std::vector<std::unique_ptr<PathName>> paths_;
  std::vector<std::unique_ptr<Page>> pages_;
  std::vector<std::unique_ptr<Selection>> selections_;
  std::vector<Menu*> menubar_;
  std::vector<ToolButton*> toolbar_;
  std::vector<std::string> log_;
  std::set<HWND> modeless_;
  UINT nextCommand_ = 1000;
};

// The process's one Host; created by main before any plug-in loads.
Host& host();
void setHost(Host* host);

// The restore procedure of the viewer's own frames.
void restoreViewerFrame(void* environment);
// Reports what a call into a plug-in left on the frame stack, above `depth`
// and its own frame, and takes the stack back to `depth`.
void endPlugInCall(Host& host, const std::string& what, size_t depth, bool jumpedOut);

template <typename Call>
bool Host::callPlugIn(const std::string& what, const Call& call) {
  std::jmp_buf environment;
  const size_t depth = frames_.size();
  frames_.push_back({&environment, &restoreViewerFrame, true});
  if (setjmp(environment) == 0) {
    call();
    endPlugInCall(*this, what, depth, false);
    return true;
  }
  endPlugInCall(*this, what, depth, true);
  return false;
}

}  // namespace viewer
