#include "tests/native/FakeHost.h"

#include <gtest/gtest.h>

#include <array>
#include <cassert>
#include <utility>

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

// --- frames and raises ---
constexpr ASInt32 kBadParameter = 0x40000003;  // a code of our own; the plug-in only sees that a raise happened
constexpr ASInt32 kOutOfMemory = 0x40000002;

void pushFrame(void* environment, RestoreProc restore) {
  FakeHost::current().frames.push_back({environment, restore});
}
void popFrame() {
  auto& frames = FakeHost::current().frames;
  if (frames.empty()) {
    ADD_FAILURE() << "ASPopExceptionFrame with no frame pushed";
    return;
  }
  frames.pop_back();
}
ASInt32 exceptionErrorCode() { return FakeHost::current().raisedCode; }
// Jumps through the top frame's restore procedure. Callers hold nothing
// with a destructor when they raise.
void raise(ASInt32 code) {
  auto& host = FakeHost::current();
  if (host.frames.empty()) {
    ADD_FAILURE() << "raise with no frame of the plug-in's own";
    return;  // the caller then answers as if it had not raised
  }
  host.raisedCode = code;
  const FakeHost::Frame top = host.frames.back();
  top.restore(top.environment);
  ADD_FAILURE() << "the restore procedure returned";
}
// Asked in an if's condition, so that its temporaries are gone before the raise.
bool outOfMemory(const std::string& name) { return FakeHost::current().outOfMemoryFor.count(name) != 0; }

ASAtom atomFromString(const char* text) {
  auto& atoms = FakeHost::current().atoms;
  for (size_t i = 1; i < atoms.size(); ++i)
    if (atoms[i] == text) return static_cast<ASAtom>(i);
  atoms.push_back(text);
  return static_cast<ASAtom>(atoms.size() - 1);
}
ASCallback callbackCreate(ASExtension extension, void* procedure) {
  auto& host = FakeHost::current();
  host.callbacks.emplace_back(extension, reinterpret_cast<ASProc>(procedure));
  return handleAt<ASCallback>(host.callbacks.size() - 1);
}

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
  if (outOfMemory(name)) raise(kOutOfMemory);
  host.heldMenus[name]++;
  host.menuNames.push_back(name);
  return handleAt<AVMenu>(host.menuNames.size() - 1);
}
void menubarAddMenu(AVMenubar, AVMenu menu, ASInt32 position) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVMenubarAddMenu " + host.menuNames[index(menu)] + " " + std::to_string(position));
  if (outOfMemory("bar " + host.menuNames[index(menu)])) raise(kOutOfMemory);
}
AVMenuItem itemNew(const char* title, const char* name, AVMenu submenu, ASBool longOnly, char shortcut,
                   AVFlagBits16 modifiers, AVIcon icon, ASExtension owner) {
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
  if (outOfMemory("add " + name)) raise(kOutOfMemory);
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
  {
    const std::string text = host.atomText(name);
    host.calls.push_back("AVToolButtonNew " + text + (icon ? " icon" : " no icon") + " " + std::to_string(longOnly) +
                         " " + std::to_string(separator));
    if (host.nullButtons.count(text)) return nullptr;
    if (!outOfMemory(text)) {
      host.buttons.push_back({text, {}});
      return handleAt<AVToolButton>(host.buttons.size() - 1);
    }
  }
  raise(kOutOfMemory);
  return nullptr;
}
void addButton(AVToolBar, AVToolButton button, ASBool before, AVToolButton reference) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVToolBarAddButton " + host.buttons[index(button)].name + " " + std::to_string(before) +
                       (reference ? " reference" : ""));
  if (outOfMemory("add " + host.buttons[index(button)].name)) raise(kOutOfMemory);
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
  const char* path = static_cast<const char*>(spec);
  host.calls.push_back("ASFileSysCreatePathName " + host.atomText(type) + " " + utf8(path) +
                       (fileSys || mustBeNull ? " unexpected" : ""));
  if (host.raisePathNames) raise(kBadParameter);
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
AVDoc docOpen(ASPathName path, ASFileSys fileSys, char* tempTitle) {
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
  if (host.absentPages.count(page)) raise(kBadParameter);
  if (host.missingPages.count(page)) return nullptr;
  ++host.heldPages;
  return handleAt<PDPage>(static_cast<size_t>(page));
}
void pageRelease(PDPage page) {
  auto& host = FakeHost::current();
  host.calls.push_back("PDPageRelease " + std::to_string(index(page)));
  --host.heldPages;
}
PDTextSelect wordHilite(PDPage page, const HighlightEntry* entries, ASInt32 count) {
  auto& host = FakeHost::current();
  std::string call = "PDTextSelectCreateWordHilite " + std::to_string(index(page));
  for (ASInt32 i = 0; i < count; ++i)
    call += (i ? "," : " ") + std::to_string(entries[i].position) + ":" + std::to_string(entries[i].length);
  host.calls.push_back(call);
  if (host.noSelection) return nullptr;
  ++host.heldSelections;
  return reinterpret_cast<PDTextSelect>(page);
}
void selectionDestroy(PDTextSelect selection) {
  auto& host = FakeHost::current();
  host.calls.push_back("PDTextSelectDestroy " + std::to_string(index(reinterpret_cast<PDPage>(selection))));
  --host.heldSelections;
}
ASBool docSetSelection(AVDoc, ASAtom type, void* selection, ASBool highlight) {
  auto& host = FakeHost::current();
  host.calls.push_back("AVDocSetSelection " + host.atomText(type) + " " +
                       std::to_string(index(reinterpret_cast<PDPage>(selection))) + " " + std::to_string(highlight));
  if (host.selectionAnswer == FakeHost::SelectionAnswer::raise) raise(kBadParameter);
  if (host.selectionAnswer == FakeHost::SelectionAnswer::refuse) return 0;
  --host.heldSelections;  // the document owns it now
  return 1;
}
void beep(ASInt32 duration) { FakeHost::current().calls.push_back("AVSysBeep " + std::to_string(duration)); }
void registerModeless(void*) { FakeHost::current().calls.push_back("WinAppRegisterModelessDialog"); }
void unregisterModeless(void*) { FakeHost::current().calls.push_back("WinAppUnRegisterModelessDialog"); }

// --- the tables ---
// Every entry starts as a trap naming its table and selector; the sizes are
// the smallest the viewer's tables have that hold what we serve, so a
// selector past them is an out-of-bounds read the sanitizer reports.
template <typename Operation>
HFTEntry entry(Operation operation) {
  return reinterpret_cast<HFTEntry>(operation);
}

template <int Table, size_t Selector>
uintptr_t trap() {
  static const char* const names[] = {"core", "AcroSupport", "Cos", "PDModel", "AcroView", "Win"};
  FakeHost::current().calls.push_back(std::string("trap ") + names[Table] + " " + std::to_string(Selector));
  ADD_FAILURE() << "called entry " << Selector << " of " << names[Table] << ", which the viewer does not serve";
  return 0;
}
template <int Table, size_t... Selectors>
auto trapsFor(std::index_sequence<Selectors...>) {
  return std::array<HFTEntry, sizeof...(Selectors)>{entry(&trap<Table, Selectors>)...};
}
template <int Table, size_t Size>
std::array<HFTEntry, Size> traps() {
  return trapsFor<Table>(std::make_index_sequence<Size>());
}

std::array<HFTEntry, 11> makeCore() {
  auto table = traps<0, 11>();
  table[2] = entry(pushFrame);
  table[3] = entry(popFrame);
  table[4] = entry(exceptionErrorCode);
  table[5] = entry(atomFromString);
  table[8] = entry(callbackCreate);
  table[10] = entry(getHft);
  return table;
}
std::array<HFTEntry, 53> makeSupport() {
  auto table = traps<1, 53>();
  table[21] = entry(defaultFileSys);
  table[25] = entry(releasePath);
  table[52] = entry(createPathName);
  return table;
}
std::array<HFTEntry, 228> makePdModel() {
  auto table = traps<3, 228>();
  table[84] = entry(acquirePage);
  table[138] = entry(pageRelease);
  table[221] = entry(selectionDestroy);
  table[227] = entry(wordHilite);
  return table;
}
std::array<HFTEntry, 215> makeView() {
  auto table = traps<4, 215>();
  table[5] = entry(alertNote);
  table[16] = entry(appGetMenubar);
  table[17] = entry(appGetToolBar);
  table[43] = entry(docOpen);
  table[48] = entry(docGetPdDoc);
  table[49] = entry(docGetPageView);
  table[58] = entry(docSetSelection);
  table[71] = entry(acquireMenu);
  table[77] = entry(menubarAddMenu);
  table[78] = entry(menuNew);
  table[80] = entry(menuRelease);
  table[89] = entry(addItem);
  table[90] = entry(itemNew);
  table[92] = entry(itemRelease);
  table[93] = entry(itemRemove);
  table[99] = entry(itemSetExecute);
  table[100] = entry(itemSetEnable);
  table[117] = entry(pageViewGoTo);
  table[158] = entry(beep);
  table[163] = entry(buttonByName);
  table[165] = entry(addButton);
  table[169] = entry(buttonNew);
  table[175] = entry(buttonExecute);
  table[176] = entry(buttonEnable);
  table[214] = entry(buttonHelp);
  return table;
}
std::array<HFTEntry, 3> makeWin() {
  auto table = traps<5, 3>();
  table[1] = entry(registerModeless);
  table[2] = entry(unregisterModeless);
  return table;
}

const auto kCore = makeCore();
const auto kSupport = makeSupport();
const auto kCos = traps<2, 8>();  // nothing in it is called
const auto kPdModel = makePdModel();
const auto kView = makeView();
const auto kWin = makeWin();

HFT getHft(ASAtom name, uint32_t version) {
  auto& host = FakeHost::current();
  const std::string text = host.atomText(name);
  host.calls.push_back("ASExtensionMgrGetHFT " + text + " " + std::to_string(version));
  if (host.missingTables.count(text) || version != kTableVersion) return nullptr;
  if (text == "AcroView") return kView.data();
  if (text == "AcroSupport") return kSupport.data();
  if (text == "PDModel") return kPdModel.data();
  if (text == "Win") return kWin.data();
  if (text == "Cos") return kCos.data();
  return nullptr;
}

}  // namespace

FakeHost::FakeHost() : previous_(g_current) { g_current = this; }
FakeHost::~FakeHost() {
  EXPECT_TRUE(frames.empty()) << frames.size() << " exception frames left pushed";
  g_current = previous_;
}
FakeHost& FakeHost::current() { return *g_current; }
HFT FakeHost::core() const { return kCore.data(); }
HFT FakeHost::support() const { return kSupport.data(); }
HFT FakeHost::pdModel() const { return kPdModel.data(); }
HFT FakeHost::view() const { return kView.data(); }
HFT FakeHost::win() const { return kWin.data(); }
std::string FakeHost::atomText(ASAtom atom) const { return atom < atoms.size() ? atoms[atom] : "?"; }
ASProc FakeHost::procedure(ASCallback callback) const {
  const size_t i = index(callback);
  return callback && i < callbacks.size() ? callbacks[i].second : nullptr;
}

}  // namespace tarvek::testing
