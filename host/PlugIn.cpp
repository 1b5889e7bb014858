#include "host/PlugIn.h"

#include <utility>

#include "host/ButtonBitmaps.h"
#include "host/Commands.h"
#include "host/ExceptionFrame.h"
#include "host/Layout.h"
#include "host/Procedures.h"
#include "platform/Module.h"

namespace tarvek::host {
namespace {

// A menu the plug-in holds a reference to: acquired by name or made new.
// Released on every way out, also when initialisation fails half way.
class HeldMenu {
 public:
  HeldMenu(const AcroViewTable& view, AVMenu menu) : view_(view), menu_(menu) {}
  HeldMenu(const HeldMenu&) = delete;
  HeldMenu& operator=(const HeldMenu&) = delete;
  ~HeldMenu() {
    if (menu_) view_.AVMenuRelease(menu_);
  }
  AVMenu get() const { return menu_; }

 private:
  const AcroViewTable& view_;
  AVMenu menu_;
};

ASCallback wrap(const HostTables& tables, ASProc procedure) {
  return tables.core.ASCallbackCreate(tables.extension, procedure);
}

template <typename Proc>
ASProc asProc(Proc procedure) {
  return reinterpret_cast<ASProc>(procedure);
}

}  // namespace

void HostAlert::note(const std::string& message) {
  if (tables_.view) tables_.view.AVAlertNote(message.c_str());
}

std::string enginePathFor(const std::string& moduleFileName) {
  const size_t cut = moduleFileName.rfind('\\');
  if (cut == std::string::npos) return {};
  return moduleFileName.substr(0, cut) + kEngineFileName;
}

uint32_t answeredHandshakeVersion(uint32_t viewerVersion) {
  return viewerVersion < kHandshakeVersion ? viewerVersion : kHandshakeVersion;
}

bool PlugIn::setup(uint32_t version, SdkDataRecord* record) {
  if (!record || version != kHandshakeVersion || record->handshakeVersion != kHandshakeVersion) return false;
  if (!record->core) return false;
  HostTables imported;
  imported.extension = record->extension;
  imported.core = CoreTable(record->core);
  HFT found[std::size(kImportedTables)] = {};
  for (size_t i = 0; i < std::size(kImportedTables); ++i) {
    // No other version is tried, and the tables after a missing one are not asked for.
    found[i] = imported.core.ASExtensionMgrGetHFT(imported.core.ASAtomFromString(kImportedTables[i]), kTableVersion);
    if (!found[i]) return false;
  }
  imported.support = AcroSupportTable(found[0]);
  imported.cos = found[1];
  imported.pdModel = PDModelTable(found[2]);
  imported.view = AcroViewTable(found[3]);
  imported.win = WinTable(found[4]);
  static_assert(std::size(kImportedTables) == 5);
  tables_ = imported;
  record->handshake = wrap(tables_, asProc(&handshakeProcedure));
  return true;
}

bool PlugIn::handshake(uint32_t version, HandshakeRecord* record) {
  if (!record || version != kHandshakeVersion || !tables_.core) return false;
  record->extensionName = tables_.core.ASAtomFromString(kExtensionName);
  record->importReplaceAndRegister = nullptr;
  record->init = wrap(tables_, asProc(&initProcedure));
  record->unload = wrap(tables_, asProc(&unloadProcedure));
  return true;
}

AVMenuItem PlugIn::makeItem(size_t index, AVMenu menu) {
  const MenuItemEntry& entry = kMenuItems[index];
  const AcroViewTable& view = tables_.view;
  const std::string title = parts_.module.text(entry.title);
  AVMenuItem item =
      view.AVMenuItemNew(title.c_str(), entry.name, nullptr, 0, entry.shortcut, entry.modifiers, nullptr,
                         tables_.extension);
  if (!item) return nullptr;
  items_[index] = item;
  if (entry.command) view.AVMenuItemSetExecuteProc(item, wrap(tables_, asProc(executeProcedureFor(*entry.command))), nullptr);
  if (auto enable = enableProcedureFor(entry.enable))
    view.AVMenuItemSetComputeEnabledProc(item, wrap(tables_, asProc(enable)), nullptr);
  // An item the viewer had no memory to add is not made; unload still releases it.
  if (!withinFrame(tables_.core, [&] { view.AVMenuAddMenuItem(menu, item, kAppendPosition); })) return nullptr;
  return item;
}

bool PlugIn::makeMenus(AVMenubar bar) {
  const AcroViewTable& view = tables_.view;
  AVMenu found = view.AVMenubarAcquireMenuByName(bar, kSubmenuName);
  const bool createdHere = found == nullptr;
  if (createdHere) {
    const std::string title = parts_.module.text(kTextSubmenuTitle);
    found = answerOrFallback<AVMenu>(tables_.core, nullptr,
                                     [&] { return view.AVMenuNew(title.c_str(), kSubmenuName, tables_.extension); });
  }
  HeldMenu submenu(view, found);  // released before the tool buttons go in
  if (!submenu.get()) return false;

  for (size_t i = 0; i < kSubmenuItemCount; ++i)
    if (!makeItem(i, submenu.get())) return false;

  // The About and help items are made only where the viewer has their menu,
  // and a viewer that does not make them does not stop the plug-in.
  {
    HeldMenu about(view, view.AVMenubarAcquireMenuByName(bar, kAboutMenuName));
    if (about.get()) makeItem(kAboutItem, about.get());
  }
  if (createdHere && !withinFrame(tables_.core, [&] { view.AVMenubarAddMenu(bar, submenu.get(), kAppendPosition); }))
    return false;
  {
    HeldMenu help(view, view.AVMenubarAcquireMenuByName(bar, kHelpMenuName));
    if (help.get()) makeItem(kHelpItem, help.get());
  }
  return true;
}

bool PlugIn::initialise() {
  if (!tables_.view) return false;
  const AcroViewTable& view = tables_.view;

  // The full path keeps a copy of the engine elsewhere on the search path out.
  const std::string enginePath = enginePathFor(parts_.module.fileName());
  if (!enginePath.empty()) engine_ = parts_.libraries.load(enginePath);
  if (!engine_) {
    alert_.note(parts_.module.text(kTextEngineMissing));
    return false;
  }

  AVMenubar bar = view.AVAppGetMenubar();
  if (!bar || !makeMenus(bar)) return false;

  addToolButtons();
  parts_.commands.createDialogs();
  return true;
}

void PlugIn::addToolButtons() {
  const AcroViewTable& view = tables_.view;
  const CoreTable& core = tables_.core;
  AVToolBar bar = view.AVAppGetToolBar();
  if (!bar) return;
  // Looked up before ours go in; they are appended after the viewer's own
  // buttons, without a reference button.
  view.AVToolBarGetButtonByName(bar, core.ASAtomFromString(kFindButtonName));
  for (size_t i = 0; i < kToolButtons.size(); ++i) {
    const ToolButtonEntry& entry = kToolButtons[i];
    const ASAtom name = core.ASAtomFromString(entry.name);
    AVIcon icon = parts_.bitmaps.bitmap(i);
    AVToolButton button =
        answerOrFallback<AVToolButton>(core, nullptr, [&] { return view.AVToolButtonNew(name, icon, 1, 0); });
    // A button the viewer does not make, or has no room for, is left out.
    if (!button || !withinFrame(core, [&] { view.AVToolBarAddButton(bar, button, 0, nullptr); })) continue;
    view.AVToolButtonSetExecuteProc(button, wrap(tables_, asProc(executeProcedureFor(entry.command))), nullptr);
    view.AVToolButtonSetComputeEnabledProc(button, wrap(tables_, asProc(enableProcedureFor(entry.enable))),
                                           nullptr);
    view.AVToolButtonSetHelpText(button, parts_.module.text(entry.tooltip).c_str());
  }
}

void PlugIn::unload() {
  parts_.commands.destroyDialogs();
  engine_.reset();
  if (!tables_.view) return;
  for (AVMenuItem& item : items_) {
    if (!item) continue;
    tables_.view.AVMenuItemRemove(item);
    tables_.view.AVMenuItemRelease(item);
    item = nullptr;
  }
}

}  // namespace tarvek::host
