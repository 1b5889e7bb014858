#pragma once
// Typed access to the viewer's function tables. Each class holds the array
// the viewer gave and calls an operation by reading its entry at its
// selector at the time of the call (another plug-in may have replaced the
// entry since start-up), cast to the operation's own type. The selectors are
// the positions in the viewer's lists of operations, which only grow at the
// end, so they hold for every table version we accept. Only the operations
// the plug-in calls are here.

#include <cstddef>

#include "host/HostApi.h"

namespace tarvek::host {

class Table {
 public:
  Table() = default;
  Table(HFT entries) : entries_(entries) {}  // NOLINT: a table is the array it reads
  explicit operator bool() const { return entries_ != nullptr; }
  HFT entries() const { return entries_; }

 protected:
  template <typename Signature, typename... Args>
  auto call(size_t selector, Args... args) const {
    return reinterpret_cast<Signature*>(entries_[selector])(args...);
  }

 private:
  HFT entries_ = nullptr;
};

class CoreTable : public Table {
 public:
  using Table::Table;
  void ASPushExceptionFrame(void* environment, RestoreProc restore) const {
    call<void(void*, RestoreProc)>(2, environment, restore);
  }
  void ASPopExceptionFrame() const { call<void()>(3); }
  ASInt32 ASGetExceptionErrorCode() const { return call<ASInt32()>(4); }
  ASAtom ASAtomFromString(const char* text) const { return call<ASAtom(const char*)>(5, text); }
  ASCallback ASCallbackCreate(ASExtension extension, ASProc procedure) const {
    return call<ASCallback(ASExtension, void*)>(8, extension, reinterpret_cast<void*>(procedure));
  }
  // Null when the viewer has no table of that name at that version.
  HFT ASExtensionMgrGetHFT(ASAtom name, uint32_t version) const {
    return call<HFT(ASAtom, uint32_t)>(10, name, version);
  }
};

class AcroSupportTable : public Table {
 public:
  using Table::Table;
  ASFileSys ASGetDefaultFileSys() const { return call<ASFileSys()>(21); }
  void ASFileSysReleasePath(ASFileSys fileSys, ASPathName path) const {
    call<void(ASFileSys, ASPathName)>(25, fileSys, path);
  }
  // Raises for a path type the viewer does not know.
  ASPathName ASFileSysCreatePathName(ASFileSys fileSys, ASAtom pathSpecType, const void* pathSpec,
                                     const void* mustBeNull) const {
    return call<ASPathName(ASFileSys, ASAtom, const void*, const void*)>(52, fileSys, pathSpecType, pathSpec,
                                                                         mustBeNull);
  }
};

// "Cos" is imported but nothing in it is called.

class PDModelTable : public Table {
 public:
  using Table::Table;
  // 0-based page; raises for a page the document does not have.
  PDPage PDDocAcquirePage(PDDoc doc, ASInt32 page) const { return call<PDPage(PDDoc, ASInt32)>(84, doc, page); }
  void PDPageRelease(PDPage page) const { call<void(PDPage)>(138, page); }
  void PDTextSelectDestroy(PDTextSelect selection) const { call<void(PDTextSelect)>(221, selection); }
  // The entries count words: each is a word position and a number of words.
  PDTextSelect PDTextSelectCreateWordHilite(PDPage page, const HighlightEntry* entries, ASInt32 count) const {
    return call<PDTextSelect(PDPage, const HighlightEntry*, ASInt32)>(227, page, entries, count);
  }
};

class AcroViewTable : public Table {
 public:
  using Table::Table;
  void AVAlertNote(const char* message) const { call<void(const char*)>(5, message); }
  AVMenubar AVAppGetMenubar() const { return call<AVMenubar()>(16); }
  AVToolBar AVAppGetToolBar() const { return call<AVToolBar()>(17); }
  // Null when the viewer cannot open the file.
  AVDoc AVDocOpenFromFile(ASPathName path, ASFileSys fileSys, char* tempTitle) const {
    return call<AVDoc(ASPathName, ASFileSys, char*)>(43, path, fileSys, tempTitle);
  }
  PDDoc AVDocGetPDDoc(AVDoc doc) const { return call<PDDoc(AVDoc)>(48, doc); }
  AVPageView AVDocGetPageView(AVDoc doc) const { return call<AVPageView(AVDoc)>(49, doc); }
  // May raise, with whatever the selection's server raises.
  ASBool AVDocSetSelection(AVDoc doc, ASAtom type, void* selection, ASBool highlight) const {
    return call<ASBool(AVDoc, ASAtom, void*, ASBool)>(58, doc, type, selection, highlight);
  }
  AVMenu AVMenubarAcquireMenuByName(AVMenubar bar, const char* name) const {
    return call<AVMenu(AVMenubar, const char*)>(71, bar, name);
  }
  // This and the other operations that add or make menus, items and buttons
  // may raise when the viewer runs out of memory.
  void AVMenubarAddMenu(AVMenubar bar, AVMenu menu, ASInt32 position) const {
    call<void(AVMenubar, AVMenu, ASInt32)>(77, bar, menu, position);
  }
  AVMenu AVMenuNew(const char* title, const char* name, ASExtension owner) const {
    return call<AVMenu(const char*, const char*, ASExtension)>(78, title, name, owner);
  }
  void AVMenuRelease(AVMenu menu) const { call<void(AVMenu)>(80, menu); }
  void AVMenuAddMenuItem(AVMenu menu, AVMenuItem item, ASInt32 position) const {
    call<void(AVMenu, AVMenuItem, ASInt32)>(89, menu, item, position);
  }
  AVMenuItem AVMenuItemNew(const char* title, const char* name, AVMenu submenu, ASBool longMenusOnly, char shortcut,
                           AVFlagBits16 modifiers, AVIcon icon, ASExtension owner) const {
    return call<AVMenuItem(const char*, const char*, AVMenu, ASBool, char, AVFlagBits16, AVIcon, ASExtension)>(
        90, title, name, submenu, longMenusOnly, shortcut, modifiers, icon, owner);
  }
  void AVMenuItemRelease(AVMenuItem item) const { call<void(AVMenuItem)>(92, item); }
  void AVMenuItemRemove(AVMenuItem item) const { call<void(AVMenuItem)>(93, item); }
  void AVMenuItemSetExecuteProc(AVMenuItem item, ASCallback procedure, void* clientData) const {
    call<void(AVMenuItem, ASCallback, void*)>(99, item, procedure, clientData);
  }
  void AVMenuItemSetComputeEnabledProc(AVMenuItem item, ASCallback procedure, void* clientData) const {
    call<void(AVMenuItem, ASCallback, void*)>(100, item, procedure, clientData);
  }
  void AVPageViewGoTo(AVPageView view, ASInt32 page) const { call<void(AVPageView, ASInt32)>(117, view, page); }
  // The viewer's beep; 0 is the default sound.
  void AVSysBeep(ASInt32 duration) const { call<void(ASInt32)>(158, duration); }
  AVToolButton AVToolBarGetButtonByName(AVToolBar bar, ASAtom name) const {
    return call<AVToolButton(AVToolBar, ASAtom)>(163, bar, name);
  }
  void AVToolBarAddButton(AVToolBar bar, AVToolButton button, ASBool before, AVToolButton reference) const {
    call<void(AVToolBar, AVToolButton, ASBool, AVToolButton)>(165, bar, button, before, reference);
  }
  AVToolButton AVToolButtonNew(ASAtom name, AVIcon icon, ASBool longOnly, ASBool isSeparator) const {
    return call<AVToolButton(ASAtom, AVIcon, ASBool, ASBool)>(169, name, icon, longOnly, isSeparator);
  }
  void AVToolButtonSetExecuteProc(AVToolButton button, ASCallback procedure, void* clientData) const {
    call<void(AVToolButton, ASCallback, void*)>(175, button, procedure, clientData);
  }
  void AVToolButtonSetComputeEnabledProc(AVToolButton button, ASCallback procedure, void* clientData) const {
    call<void(AVToolButton, ASCallback, void*)>(176, button, procedure, clientData);
  }
  void AVToolButtonSetHelpText(AVToolButton button, const char* text) const {
    call<void(AVToolButton, const char*)>(214, button, text);
  }
};

class WinTable : public Table {
 public:
  using Table::Table;
  void WinAppRegisterModelessDialog(void* window) const { call<void(void*)>(1, window); }
  void WinAppUnRegisterModelessDialog(void* window) const { call<void(void*)>(2, window); }
};

}  // namespace tarvek::host
