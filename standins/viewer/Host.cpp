#include "standins/viewer/Host.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "standins/viewer/Output.h"
#include "standins/viewer/PdfPages.h"

namespace viewer {
namespace {

Host* g_host = nullptr;

template <typename Handle, typename Object>
Handle handle(Object* object) {
  return reinterpret_cast<Handle>(object);
}
template <typename Object, typename Handle>
Object* object(Handle handle) {
  return reinterpret_cast<Object*>(handle);
}

std::string fileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string entriesText(const std::vector<HighlightEntry>& entries) {
  std::string text;
  for (const HighlightEntry& entry : entries) {
    if (!text.empty()) text += ",";
    text += std::to_string(entry.position) + ":" + std::to_string(entry.length);
  }
  return text;
}

// Codes of the raises; a plug-in only learns that one happened.
constexpr ASInt32 kBadParameter = 0x40010003;
constexpr ASInt32 kOutOfMemory = 0x40010002;

// --- core ---
void raise(ASInt32 code) { host().raise(code); }
// Asked in an if's condition, so that nothing with a destructor is alive at the raise.
bool outOfMemoryFor(const char* name) { return name && host().options().outOfMemory.count(name) != 0; }
void pushFrame(void* environment, RestoreProc restore) { host().frames().push_back({environment, restore, false}); }
void popFrame() {
  auto& frames = host().frames();
  if (frames.empty() || frames.back().viewers) {
    printLine("error ASPopExceptionFrame with no frame of the plug-in pushed");
    return;
  }
  frames.pop_back();
}
ASInt32 exceptionErrorCode() { return host().raisedCode(); }
ASAtom atomFromString(const char* text) { return host().atom(text ? text : ""); }
ASCallback callbackCreate(ASExtension extension, void* procedure) {
  return host().newCallback(object<Extension>(extension), reinterpret_cast<ASProc>(procedure));
}
HFT getHft(ASAtom name, uint32_t version) { return host().table(host().atomText(name), version); }

// --- AcroSupport ---
ASFileSys defaultFileSys() { return reinterpret_cast<ASFileSys>(&g_host); }
// The one path type this viewer knows is "Cstring"; any other is raised.
ASPathName createPathName(ASFileSys, ASAtom type, const void* spec, const void*) {
  if (host().atomText(type) != "Cstring") raise(kBadParameter);
  if (!spec) return nullptr;
  return handle<ASPathName>(host().newPath(static_cast<const char*>(spec)));
}
void releasePath(ASFileSys, ASPathName path) {
  if (PathName* p = object<PathName>(path)) p->released = true;
}

// --- PDModel ---
// A page number the document does not have is raised, not answered.
PDPage acquirePage(PDDoc doc, ASInt32 number) {
  Document* document = object<Document>(doc);
  if (!document) return nullptr;
  if (number < 0 || number >= document->pageCount) {
    host().log("page out of range " + std::to_string(number));
    raise(kBadParameter);
  }
  return handle<PDPage>(host().newPage(document, number));
}
void releasePage(PDPage page) {
  if (Page* p = object<Page>(page)) p->released = true;
}
// Word hilite: each entry is a first word and a number of words.
PDTextSelect wordHilite(PDPage page, const HighlightEntry* entries, ASInt32 count) {
  Page* p = object<Page>(page);
  if (!p || p->released || !entries || count <= 0) return nullptr;
  return handle<PDTextSelect>(host().newSelection(p->document, p->number, {entries, entries + count}));
}
void selectionDestroy(PDTextSelect selection) {
  Selection* s = object<Selection>(selection);
  if (!s) return;
  if (s->destroyed) printLine("error PDTextSelectDestroy of a selection destroyed already");
  s->destroyed = true;
  host().log("selection destroyed");
}

// --- AcroView ---
void alertNote(const char* message) {
  const std::string text = message ? message : "";
  host().log("alert " + quoted(utf8FromAnsi(text)));
  MessageBoxA(host().frame, text.c_str(), "Viewer", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}
AVMenubar appGetMenubar() {
  return host().options().noMenubar ? nullptr : reinterpret_cast<AVMenubar>(&host().menubar());
}
AVToolBar appGetToolBar() { return reinterpret_cast<AVToolBar>(&host().toolbar()); }
AVMenu acquireMenuByName(AVMenubar bar, const char* name) {
  if (!bar || !name) return nullptr;
  Menu* menu = host().findMenu(name);
  if (menu) ++menu->references;
  return handle<AVMenu>(menu);
}
AVMenu menuNew(const char* title, const char* name, ASExtension owner) {
  if (outOfMemoryFor(name)) raise(kOutOfMemory);
  Menu* menu = host().newMenu(title ? title : "", name ? name : "", object<Extension>(owner));
  menu->references = 1;
  return handle<AVMenu>(menu);
}
void menubarAddMenu(AVMenubar bar, AVMenu m, ASInt32 position) {
  Menu* menu = object<Menu>(m);
  if (!bar || !menu || menu->onBar || menu->destroyed) return;
  if (outOfMemoryFor(menu->name.c_str())) raise(kOutOfMemory);
  auto& menus = host().menubar();
  const size_t at = position < 0 ? 0 : std::min<size_t>(position, menus.size());
  menus.insert(menus.begin() + at, menu);
  menu->onBar = true;
  if (host().onMenusChanged) host().onMenusChanged();
}
AVMenuItem menuItemNew(const char* title, const char* name, AVMenu submenu, ASBool, char shortcut,
                       AVFlagBits16 modifiers, AVIcon, ASExtension owner) {
  const std::string itemName = name ? name : "";
  if (host().options().nullItems.count(itemName)) return nullptr;
  MenuItem* item = host().newItem(title ? title : "", itemName, object<Extension>(owner));
  item->submenu = object<Menu>(submenu);
  item->shortcut = shortcut;
  item->modifiers = modifiers;
  item->references = 1;
  return handle<AVMenuItem>(item);
}
void menuAddMenuItem(AVMenu menu, AVMenuItem item, ASInt32) {
  if (MenuItem* i = object<MenuItem>(item))
    if (outOfMemoryFor(i->name.c_str())) raise(kOutOfMemory);
  host().appendItem(object<Menu>(menu), object<MenuItem>(item));
}
void itemSetExecute(AVMenuItem item, ASCallback procedure, void* data) {
  if (MenuItem* i = object<MenuItem>(item)) {
    i->execute = host().callback(procedure, "AVMenuItemSetExecuteProc");
    i->executeData = data;
  }
}
void itemSetEnable(AVMenuItem item, ASCallback procedure, void* data) {
  if (MenuItem* i = object<MenuItem>(item)) {
    i->enable = host().callback(procedure, "AVMenuItemSetComputeEnabledProc");
    i->enableData = data;
  }
}
void menuRelease(AVMenu m) {
  Menu* menu = object<Menu>(m);
  if (!menu) return;
  if (menu->references <= 0) {
    printLine("error AVMenuRelease of unheld menu " + quoted(utf8FromAnsi(menu->name)));
    return;
  }
  // A menu that nothing shows and nobody holds is gone; its items fall out of it.
  if (--menu->references == 0 && !menu->onBar && !menu->holder && menu->owner) {
    menu->destroyed = true;
    for (MenuItem* item : menu->items) item->parent = nullptr;
    menu->items.clear();
  }
}
void itemRemove(AVMenuItem item) {
  if (MenuItem* i = object<MenuItem>(item)) host().removeItem(i);
}
void itemRelease(AVMenuItem item) {
  MenuItem* i = object<MenuItem>(item);
  if (!i) return;
  if (i->references <= 0) {
    printLine("error AVMenuItemRelease of unheld item " + quoted(utf8FromAnsi(i->name)));
    return;
  }
  --i->references;
  printLine("released item " + utf8FromAnsi(i->name));
}
AVToolButton toolBarGetButtonByName(AVToolBar bar, ASAtom name) {
  if (!bar) return nullptr;
  return handle<AVToolButton>(host().findButton(host().atomText(name)));
}
AVToolButton toolButtonNew(ASAtom name, AVIcon icon, ASBool, ASBool isSeparator) {
  const std::string& text = host().atomText(name);
  if (host().options().nullButtons.count(text)) return nullptr;
  if (outOfMemoryFor(text.c_str())) raise(kOutOfMemory);
  ToolButton* button = host().newButton(text);
  button->separator = isSeparator != 0;
  if (icon) button->bitmap = static_cast<HBITMAP>(CopyImage(static_cast<HBITMAP>(icon), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  return handle<AVToolButton>(button);
}
void toolBarAddButton(AVToolBar bar, AVToolButton b, ASBool before, AVToolButton reference) {
  ToolButton* button = object<ToolButton>(b);
  if (!bar || !button || button->onBar) return;
  if (outOfMemoryFor(button->name.c_str())) raise(kOutOfMemory);
  auto& buttons = host().toolbar();
  auto at = std::find(buttons.begin(), buttons.end(), object<ToolButton>(reference));
  if (at == buttons.end())
    at = buttons.end();  // no reference button: at the end
  else if (!before)
    ++at;
  buttons.insert(at, button);
  button->onBar = true;
  if (host().onToolsChanged) host().onToolsChanged();
}
void buttonSetExecute(AVToolButton button, ASCallback procedure, void* data) {
  if (ToolButton* b = object<ToolButton>(button)) {
    b->execute = host().callback(procedure, "AVToolButtonSetExecuteProc");
    b->executeData = data;
  }
}
void buttonSetEnable(AVToolButton button, ASCallback procedure, void* data) {
  if (ToolButton* b = object<ToolButton>(button)) {
    b->enable = host().callback(procedure, "AVToolButtonSetComputeEnabledProc");
    b->enableData = data;
  }
}
void buttonSetHelpText(AVToolButton button, const char* text) {
  if (ToolButton* b = object<ToolButton>(button)) {
    b->helpText = text ? text : "";
    if (host().onToolsChanged) host().onToolsChanged();
  }
}
AVDoc docOpenFromFile(ASPathName path, ASFileSys, char*) {
  PathName* p = object<PathName>(path);
  if (!p || p->released) return nullptr;
  return handle<AVDoc>(host().openDocument(p->path));
}
PDDoc docGetPDDoc(AVDoc doc) { return handle<PDDoc>(object<Document>(doc)); }
AVPageView docGetPageView(AVDoc doc) { return handle<AVPageView>(object<Document>(doc)); }
void pageViewGoTo(AVPageView view, ASInt32 page) {
  Document* document = object<Document>(view);
  if (!document || page < 0 || page >= document->pageCount) return;
  document->shownPage = page;
  host().log("page " + quoted(utf8FromAnsi(fileNameOf(document->path))) + " " + std::to_string(page));
  if (host().onDocumentChanged) host().onDocumentChanged(*document);
}
ASBool docSetSelection(AVDoc doc, ASAtom type, void* selection, ASBool highlight) {
  Document* document = object<Document>(doc);
  Selection* s = static_cast<Selection*>(selection);
  if (!document || !s || s->destroyed || host().atomText(type) != "Text" || s->document != document) return 0;
  s->taken = true;
  document->selectionPage = s->page;
  document->selection = s->entries;
  host().log("selection " + quoted(utf8FromAnsi(fileNameOf(document->path))) + " page " + std::to_string(s->page) +
             " entries " + entriesText(s->entries) + (highlight ? " highlighted" : ""));
  if (host().onDocumentChanged) host().onDocumentChanged(*document);
  return 1;
}
void beep(ASInt32 duration) {
  host().log("beep " + std::to_string(duration));
  MessageBeep(MB_OK);
}

// --- Win ---
void registerModeless(void* window) { host().modelessDialogs().insert(static_cast<HWND>(window)); }
void unregisterModeless(void* window) { host().modelessDialogs().erase(static_cast<HWND>(window)); }

// --- the tables ---
// Arrays as a viewer gives them: an operation at its selector, every other
// entry a trap that names its table and selector. The sizes leave room past
// the last operation served, as a real viewer's longer tables do.
template <typename Operation>
HFTEntry entry(Operation operation) {
  return reinterpret_cast<HFTEntry>(operation);
}

enum TableId { kCoreId, kSupportId, kCosId, kPdModelId, kViewId, kWinId };
const char* const kTableNames[] = {"core", "AcroSupport", "Cos", "PDModel", "AcroView", "Win"};

template <int Table, size_t Selector>
uintptr_t trap() {
  printLine(std::string("error trap ") + kTableNames[Table] + " selector " + std::to_string(Selector));
  return 0;
}
template <int Table, size_t... Selectors>
std::array<HFTEntry, sizeof...(Selectors)> trapsFor(std::index_sequence<Selectors...>) {
  return {entry(&trap<Table, Selectors>)...};
}
template <int Table, size_t Size>
std::array<HFTEntry, Size> traps() {
  return trapsFor<Table>(std::make_index_sequence<Size>());
}

std::array<HFTEntry, 32> makeCore() {
  auto table = traps<kCoreId, 32>();
  table[1] = entry(raise);
  table[2] = entry(pushFrame);
  table[3] = entry(popFrame);
  table[4] = entry(exceptionErrorCode);
  table[5] = entry(atomFromString);
  table[8] = entry(callbackCreate);
  table[10] = entry(getHft);
  return table;
}
std::array<HFTEntry, 96> makeSupport() {
  auto table = traps<kSupportId, 96>();
  table[21] = entry(defaultFileSys);
  table[25] = entry(releasePath);
  table[52] = entry(createPathName);
  return table;
}
std::array<HFTEntry, 320> makePdModel() {
  auto table = traps<kPdModelId, 320>();
  table[84] = entry(acquirePage);
  table[138] = entry(releasePage);
  table[221] = entry(selectionDestroy);
  table[227] = entry(wordHilite);
  return table;
}
std::array<HFTEntry, 320> makeView() {
  auto table = traps<kViewId, 320>();
  table[5] = entry(alertNote);
  table[16] = entry(appGetMenubar);
  table[17] = entry(appGetToolBar);
  table[43] = entry(docOpenFromFile);
  table[48] = entry(docGetPDDoc);
  table[49] = entry(docGetPageView);
  table[58] = entry(docSetSelection);
  table[71] = entry(acquireMenuByName);
  table[77] = entry(menubarAddMenu);
  table[78] = entry(menuNew);
  table[80] = entry(menuRelease);
  table[89] = entry(menuAddMenuItem);
  table[90] = entry(menuItemNew);
  table[92] = entry(itemRelease);
  table[93] = entry(itemRemove);
  table[99] = entry(itemSetExecute);
  table[100] = entry(itemSetEnable);
  table[117] = entry(pageViewGoTo);
  table[158] = entry(beep);
  table[163] = entry(toolBarGetButtonByName);
  table[165] = entry(toolBarAddButton);
  table[169] = entry(toolButtonNew);
  table[175] = entry(buttonSetExecute);
  table[176] = entry(buttonSetEnable);
  table[214] = entry(buttonSetHelpText);
  return table;
}
std::array<HFTEntry, 8> makeWin() {
  auto table = traps<kWinId, 8>();
  table[1] = entry(registerModeless);
  table[2] = entry(unregisterModeless);
  return table;
}

const auto kCore = makeCore();
const auto kSupport = makeSupport();
const auto kCos = traps<kCosId, 256>();  // nothing in it is called; only its presence counts
const auto kPdModel = makePdModel();
const auto kView = makeView();
const auto kWin = makeWin();

}  // namespace

Host& host() { return *g_host; }
void setHost(Host* h) { g_host = h; }

void restoreViewerFrame(void* environment) { std::longjmp(*static_cast<std::jmp_buf*>(environment), 1); }

void endPlugInCall(Host& host, const std::string& what, size_t depth, bool jumpedOut) {
  auto& frames = host.frames();
  if (jumpedOut) {
    printLine("error raise " + std::to_string(host.raisedCode()) + " in " + what +
              " reached the viewer: no frame of the plug-in caught it");
  } else if (frames.size() != depth + 1 || !frames.back().viewers) {
    printLine("error " + what + " left " + std::to_string(frames.size() - depth - 1) + " exception frames pushed");
  }
  frames.resize(depth);
}

std::vector<int> selectedWords(const std::vector<HighlightEntry>& entries) {
  std::vector<int> words;
  std::set<int> seen;
  for (const HighlightEntry& entry : entries)
    for (int word = entry.position; word < entry.position + entry.length; ++word)
      if (seen.insert(word).second) words.push_back(word);
  return words;
}

void Host::raise(ASInt32 code) {
  raisedCode_ = code;
  if (frames_.empty()) {
    printLine("error raise " + std::to_string(code) + " with no frame at all");
    ExitProcess(3);
  }
  const Frame top = frames_.back();
  top.restore(top.environment);
  printLine("error a restore procedure returned");
  ExitProcess(3);
}

Host::Host(const Options& options) : options_(options) {}

HFT Host::core() const { return kCore.data(); }

HFT Host::table(const std::string& name, uint32_t version) const {
  if (version != kTableVersion || options_.lackingTables.count(name)) return nullptr;
  if (name == "AcroSupport") return kSupport.data();
  if (name == "Cos") return kCos.data();
  if (name == "PDModel") return kPdModel.data();
  if (name == "AcroView") return kView.data();
  if (name == "Win") return kWin.data();
  return nullptr;
}

ASAtom Host::atom(const std::string& text) {
  auto found = atomIds_.find(text);
  if (found != atomIds_.end()) return found->second;
  const ASAtom id = static_cast<ASAtom>(atoms_.size());
  atoms_.push_back(text);
  atomIds_[text] = id;
  return id;
}

const std::string& Host::atomText(ASAtom atom) const { return atom < atoms_.size() ? atoms_[atom] : atoms_[0]; }

Extension* Host::newExtension(const std::string& file) {
  extensions_.push_back(std::make_unique<Extension>(Extension{file, {}}));
  return extensions_.back().get();
}

ASCallback Host::newCallback(Extension* owner, ASProc procedure) {
  const ASCallback made = reinterpret_cast<ASCallback>(procedure);
  if (procedure && !callbacks_.count(made)) callbacks_[made] = std::make_unique<Callback>(Callback{owner, procedure});
  return made;
}

Callback* Host::callback(ASCallback handle, const char* use) {
  if (!handle) return nullptr;
  auto found = callbacks_.find(handle);
  if (found == callbacks_.end()) {
    printLine(std::string("error ") + use + " given a procedure not made by ASCallbackCreate");
    return nullptr;
  }
  return found->second.get();
}

Menu* Host::newMenu(const std::string& title, const std::string& name, Extension* owner) {
  menus_.push_back(std::make_unique<Menu>());
  Menu* menu = menus_.back().get();
  menu->title = title;
  menu->name = name;
  menu->owner = owner;
  return menu;
}

MenuItem* Host::newItem(const std::string& title, const std::string& name, Extension* owner) {
  items_.push_back(std::make_unique<MenuItem>());
  MenuItem* item = items_.back().get();
  item->title = title;
  item->name = name;
  item->owner = owner;
  item->commandId = nextCommand_++;
  return item;
}

namespace {
Menu* findMenuIn(const std::vector<Menu*>& menus, const std::string& name) {
  for (Menu* menu : menus) {
    if (menu->name == name) return menu;
    for (MenuItem* item : menu->items)
      if (item->submenu)
        if (Menu* found = findMenuIn({item->submenu}, name)) return found;
  }
  return nullptr;
}
MenuItem* findItemIn(const std::vector<Menu*>& menus, const std::string& name) {
  for (Menu* menu : menus)
    for (MenuItem* item : menu->items) {
      if (item->name == name) return item;
      if (item->submenu)
        if (MenuItem* found = findItemIn({item->submenu}, name)) return found;
    }
  return nullptr;
}
}  // namespace

Menu* Host::findMenu(const std::string& name) { return findMenuIn(menubar_, name); }
MenuItem* Host::findItem(const std::string& name) { return findItemIn(menubar_, name); }

MenuItem* Host::itemByCommand(UINT commandId) {
  for (auto& item : items_)
    if (item->commandId == commandId && item->parent) return item.get();
  return nullptr;
}

ToolButton* Host::newButton(const std::string& name) {
  buttons_.push_back(std::make_unique<ToolButton>());
  ToolButton* button = buttons_.back().get();
  button->name = name;
  button->commandId = nextCommand_++;
  return button;
}

ToolButton* Host::findButton(const std::string& name) {
  for (ToolButton* button : toolbar_)
    if (button->name == name) return button;
  return nullptr;
}

ToolButton* Host::buttonByCommand(UINT commandId) {
  for (ToolButton* button : toolbar_)
    if (button->commandId == commandId) return button;
  return nullptr;
}

void Host::appendItem(Menu* menu, MenuItem* item) {
  if (!menu || !item || menu->destroyed) return;
  if (item->parent) removeItem(item);
  menu->items.push_back(item);
  item->parent = menu;
  if (item->submenu) item->submenu->holder = item;
  if (onMenusChanged) onMenusChanged();
}

void Host::removeItem(MenuItem* item) {
  if (!item->parent) return;
  auto& items = item->parent->items;
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
  item->parent = nullptr;
  printLine("removed item " + utf8FromAnsi(item->name));
  if (onMenusChanged) onMenusChanged();
}

namespace {
template <typename Thing>
bool askEnabled(const Thing& thing) {
  if (!thing.enable) return true;
  auto procedure = reinterpret_cast<ComputeEnabledProc>(thing.enable->procedure);
  ASBool enabled = 0;
  host().callPlugIn("enable procedure of " + thing.name, [&] { enabled = procedure(thing.enableData); });
  return enabled != 0;
}
template <typename Thing>
void runExecute(Thing& thing) {
  if (!thing.execute) return;
  auto procedure = reinterpret_cast<ExecuteProc>(thing.execute->procedure);
  host().callPlugIn("execute procedure of " + thing.name, [&] { procedure(thing.executeData); });
}
}  // namespace

bool Host::enabled(const MenuItem& item) { return askEnabled(item); }
bool Host::enabled(const ToolButton& button) { return askEnabled(button); }
void Host::execute(MenuItem& item) {
  if (item.builtIn)
    item.builtIn();
  else
    runExecute(item);
}
void Host::execute(ToolButton& button) { runExecute(button); }

Document* Host::openDocument(const std::string& path) {
  for (auto& document : documents_) {
    if (lstrcmpiA(document->path.c_str(), path.c_str()) == 0) {
      log("opened " + quoted(utf8FromAnsi(path)) + " again");
      if (onDocumentChanged) onDocumentChanged(*document);
      return document.get();
    }
  }
  const int pages = pdfPageCount(path);
  if (pages < 0) {
    log("not opened " + quoted(utf8FromAnsi(path)));
    return nullptr;
  }
  documents_.push_back(std::make_unique<Document>());
  Document* document = documents_.back().get();
  document->path = path;
  document->pageCount = pages;
  log("opened " + quoted(utf8FromAnsi(path)) + " pages " + std::to_string(pages));
  if (onDocumentChanged) onDocumentChanged(*document);
  return document;
}

PathName* Host::newPath(const std::string& path) {
  paths_.push_back(std::make_unique<PathName>(PathName{path, false}));
  return paths_.back().get();
}

Page* Host::newPage(Document* document, int number) {
  pages_.push_back(std::make_unique<Page>(Page{document, number, false}));
  return pages_.back().get();
}

Selection* Host::newSelection(Document* document, int page, std::vector<HighlightEntry> entries) {
  selections_.push_back(std::make_unique<Selection>(Selection{document, page, std::move(entries)}));
  return selections_.back().get();
}

std::vector<std::string> Host::takeLog() {
  std::vector<std::string> taken;
  taken.swap(log_);
  return taken;
}

}  // namespace viewer
