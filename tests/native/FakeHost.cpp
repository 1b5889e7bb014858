#include "tests/native/FakeHost.h"

#include <cassert>

#include "resources/TextTable.h"
#include "tests/fakes/FakeServices.h"

namespace tarvek::testing {
namespace {

using namespace host;

FakeHost* g_current = nullptr;

std::string utf8(const char* ansi) {
  FakeCodePage codePage;
  return ansi ? codePage.toUtf8(ansi) : "(null)";
}

template <typename Handle>
size_t index(Handle handle) {
  return reinterpret_cast<uintptr_t>(handle) - 1;
}
template <typename Handle>
Handle handleAt(size_t index) {
  return reinterpret_cast<Handle>(static_cast<uintptr_t>(index + 1));
}

ASAtom atomFromString(const char* text) {
  auto& atoms = FakeHost::current().atoms;
  for (size_t i = 1; i < atoms.size(); ++i)
    if (atoms[i] == text) return static_cast<ASAtom>(i);
  atoms.push_back(text);
  return static_cast<ASAtom>(atoms.size() - 1);
}
ASCallback callbackCreate(ASExtension extension, ASProc procedure) {
  auto& host = FakeHost::current();
  host.callbacks.emplace_back(extension, procedure);
  return handleAt<ASCallback>(host.callbacks.size() - 1);
}

int g_table = 0;  // the tables' contents do not matter to the fake; their addresses do
HFT getHft(ASAtom name, uint32_t version);

void alertNote(const char* message) { FakeHost::current().calls.push_back("AVAlertNote " + utf8(message)); }
AVMenubar appGetMenubar() {
  FakeHost::current().calls.push_back("AVAppGetMenubar");
  return FakeHost::current().hasMenubar ? reinterpret_cast<AVMenubar>(0xBA) : nullptr;
}
AVToolBar appGetToolBar() {
  FakeHost::current().calls.push_back("AVAppGetToolBar");
  return reinterpret_cast<AVToolBar>(0xB0);
}
AVMenu acquireMenu(AVMenubar, const char* name) {
  auto& host = FakeHost::current();
  host.calls.push_back(std::string("AVMenubarAcquireMenuByName ") + name);
  if (!host.menus.count(name)) return nullptr;
  host.heldMenus[name]++;
  host.menuNames.push_back(name);
  return handleAt<AVMenu>(host.menuNames.size() - 1);
}
AVMenu menuNew(const char* title, const char* name, ASExtension owner) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVMenuNew " + utf8(title) + " " + name + (owner == host.extension() ? "" : " foreign"));
  host.heldMenus[name]++;
  host.menuNames.push_back(name);
  return handleAt<AVMenu>(host.menuNames.size() - 1);
}
void menubarAddMenu(AVMenubar, AVMenu menu, ASInt32 position) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVMenubarAddMenu " + host.menuNames[index(menu)] + " " + std::to_string(position));
}
AVMenuItem itemNew(const char* title, const char* name, AVMenu submenu, ASBool longOnly, char shortcut,
                   uint8_t modifiers, AVIcon icon, ASExtension owner) {
  auto& host = FakeHost::current();
  std::string call = "AVMenuItemNew " + utf8(title) + " " + name + " " +
                     (shortcut ? std::string(1, shortcut) : std::string("0")) + " " + std::to_string(modifiers);
  if (submenu || longOnly || icon || owner != host.extension()) call += " unexpected";
  host.calls.push_back(call);
  if (host.nullItems.count(name)) return nullptr;
  host.items.push_back({utf8(title), name});
  host.heldItems.insert(name);
  return handleAt<AVMenuItem>(host.items.size() - 1);
}
void addItem(AVMenu menu, AVMenuItem item, ASInt32 position) {
  auto& host = FakeHost::current();
  const std::string& name = host.items[index(item)].name;
  host.calls.push_back("AVMenuAddMenuItem " + host.menuNames[index(menu)] + " " + name + " " +
                       std::to_string(position));
  host.itemsInMenus.insert(name);
}
void itemSetExecute(AVMenuItem item, ASCallback callback, void* data) {
  FakeHost::current().items[index(item)].execute = callback;
  assert(!data);
}
void itemSetEnable(AVMenuItem item, ASCallback callback, void* data) {
  FakeHost::current().items[index(item)].enable = callback;
  assert(!data);
}
void menuRelease(AVMenu menu) {
  auto& host = FakeHost::current();
  const std::string& name = host.menuNames[index(menu)];
  host.calls.push_back("AVMenuRelease " + name);
  if (--host.heldMenus[name] == 0) host.heldMenus.erase(name);
}
void itemRemove(AVMenuItem item) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVMenuItemRemove " + host.items[index(item)].name);
  host.itemsInMenus.erase(host.items[index(item)].name);
}
void itemRelease(AVMenuItem item) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVMenuItemRelease " + host.items[index(item)].name);
  host.heldItems.erase(host.items[index(item)].name);
}
AVToolButton buttonByName(AVToolBar, ASAtom name) {
  FakeHost::current().calls.push_back("AVToolBarGetButtonByName " + FakeHost::current().atomText(name));
  return nullptr;
}
AVToolButton buttonNew(ASAtom name, AVIcon icon, ASBool longOnly, ASBool separator) {
  auto& host = FakeHost::current();
  const std::string text = host.atomText(name);
  host.calls.push_back("AVToolButtonNew " + text + (icon ? " icon" : " no icon") + " " + std::to_string(longOnly) +
                       " " + std::to_string(separator));
  if (host.nullButtons.count(text)) return nullptr;
  host.buttons.push_back({text, {}});
  return handleAt<AVToolButton>(host.buttons.size() - 1);
}
void addButton(AVToolBar, AVToolButton button, ASBool before, AVToolButton reference) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVToolBarAddButton " + host.buttons[index(button)].name + " " + std::to_string(before) +
                       (reference ? " reference" : ""));
}
void buttonExecute(AVToolButton button, ASCallback callback, void*) {
  FakeHost::current().buttons[index(button)].execute = callback;
}
void buttonEnable(AVToolButton button, ASCallback callback, void*) {
  FakeHost::current().buttons[index(button)].enable = callback;
}
void buttonHelp(AVToolButton button, const char* text) {
  FakeHost::current().buttons[index(button)].helpText = utf8(text);
}

// Documents and paths are handles made from an index into these lists.
std::vector<std::string>& pathTexts() {
  static std::vector<std::string> texts;
  return texts;
}

ASPathName createPathName(ASFileSys fileSys, ASAtom type, const void* spec, const void* mustBeNull) {
  auto& host = FakeHost::current();
  const std::string path = static_cast<const char*>(spec);
  host.calls.push_back("ASFileSysCreatePathName " + host.atomText(type) + " " + utf8(path.c_str()) +
                       (fileSys || mustBeNull ? " unexpected" : ""));
  pathTexts().push_back(path);
  ++host.heldPaths;
  return handleAt<ASPathName>(pathTexts().size() - 1);
}
ASFileSys defaultFileSys() { return reinterpret_cast<ASFileSys>(0xF5); }
void releasePath(ASFileSys, ASPathName path) {
  auto& host = FakeHost::current();
  host.calls.push_back("ASFileSysReleasePath " + utf8(pathTexts().at(index(path)).c_str()));
  --host.heldPaths;
}
AVDoc docOpen(ASPathName path, ASFileSys fileSys, const char* tempTitle) {
  auto& host = FakeHost::current();
  const std::string& text = pathTexts().at(index(path));
  host.calls.push_back("AVDocOpenFromFile " + utf8(text.c_str()) +
                       (fileSys == defaultFileSys() && !tempTitle ? "" : " unexpected"));
  if (host.unopenable.count(text)) return nullptr;
  return handleAt<AVDoc>(index(path));
}
PDDoc docGetPdDoc(AVDoc doc) { return FakeHost::current().noPdDoc ? nullptr : reinterpret_cast<PDDoc>(doc); }
AVPageView docGetPageView(AVDoc doc) {
  return FakeHost::current().noPageView ? nullptr : reinterpret_cast<AVPageView>(doc);
}
void pageViewGoTo(AVPageView, ASInt32 page) {
  FakeHost::current().calls.push_back("AVPageViewGoTo " + std::to_string(page));
}
PDPage acquirePage(PDDoc, ASInt32 page) {
  auto& host = FakeHost::current();
  host.calls.push_back("PDDocAcquirePage " + std::to_string(page));
  if (host.missingPages.count(page)) return nullptr;
  ++host.heldPages;
  return handleAt<PDPage>(static_cast<size_t>(page));
}
void pageRelease(PDPage page) {
  auto& host = FakeHost::current();
  host.calls.push_back("PDPageRelease " + std::to_string(index(page)));
  --host.heldPages;
}
PDTextSelect hitSelection(PDPage page, const HighlightEntry* entries, ASInt32 count) {
  auto& host = FakeHost::current();
  std::string call = "createHitSelection " + std::to_string(index(page));
  for (ASInt32 i = 0; i < count; ++i)
    call += (i ? "," : " ") + std::to_string(entries[i].position) + ":" + std::to_string(entries[i].length);
  host.calls.push_back(call);
  return host.noSelection ? nullptr : reinterpret_cast<PDTextSelect>(page);
}
ASBool docSetSelection(AVDoc, ASAtom type, void* selection, ASBool highlight) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVDocSetSelection " + host.atomText(type) + " " +
                       std::to_string(index(reinterpret_cast<PDPage>(selection))) + " " + std::to_string(highlight));
  return 1;
}
void beep(ASInt32 kind) { FakeHost::current().calls.push_back("hostBeep " + std::to_string(kind)); }
void registerModeless(void*) { FakeHost::current().calls.push_back("WinAppRegisterModelessDialog"); }
void unregisterModeless(void*) { FakeHost::current().calls.push_back("WinAppUnRegisterModelessDialog"); }

const CoreTable kCore = {atomFromString, callbackCreate, getHft};
const AcroSupportTable kSupport = {createPathName, defaultFileSys, releasePath};
const PDModelTable kPdModel = {acquirePage, pageRelease, hitSelection};
const WinTable kWin = {registerModeless, unregisterModeless};
const AcroViewTable kView = {alertNote,    appGetMenubar, appGetToolBar, acquireMenu,   menuNew,
                             menubarAddMenu, itemNew,     addItem,       itemSetExecute, itemSetEnable,
                             menuRelease,  itemRemove,    itemRelease,   buttonByName,  buttonNew,
                             addButton,    buttonExecute, buttonEnable,  buttonHelp,    docOpen,
                             docGetPdDoc,  docGetPageView, pageViewGoTo, docSetSelection, beep};

HFT getHft(ASAtom name, uint32_t version) {
  auto& host = FakeHost::current();
  const std::string text = host.atomText(name);
  host.calls.push_back("ASExtensionMgrGetHFT " + text + " " + std::to_string(version));
  if (host.missingTables.count(text) || version != kTableVersion) return nullptr;
  if (text == "AcroView") return &kView;
  if (text == "AcroSupport") return &kSupport;
  if (text == "PDModel") return &kPdModel;
  if (text == "Win") return &kWin;
  return &g_table;
}

}  // namespace

FakeHost::FakeHost() { g_current = this; }
FakeHost::~FakeHost() { g_current = nullptr; }
FakeHost& FakeHost::current() { return *g_current; }
const CoreTable* FakeHost::core() const { return &kCore; }
const AcroSupportTable* FakeHost::support() const { return &kSupport; }
const PDModelTable* FakeHost::pdModel() const { return &kPdModel; }
const AcroViewTable* FakeHost::view() const { return &kView; }
const WinTable* FakeHost::win() const { return &kWin; }
std::string FakeHost::atomText(ASAtom atom) const { return atom < atoms.size() ? atoms[atom] : "?"; }
ASProc FakeHost::procedure(ASCallback callback) const {
  const size_t i = index(callback);
  return callback && i < callbacks.size() ? callbacks[i].second : nullptr;
}

}  // namespace tarvek::testing
