#include "standins/viewer/PlugIns.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "standins/viewer/Output.h"

namespace viewer {
namespace {

constexpr uint8_t kViewerBytes = 0xA5;  // what the plug-in must leave alone in the handshake record

std::string hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

// Paths of every *.API below `folder`, relative to it, sorted.
void findModules(const std::string& folder, const std::string& relative, std::vector<std::string>* found) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\" + relative + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      findModules(folder, relative + name + "\\", found);
    } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".API") == 0) {
      found->push_back(relative + name);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(found->begin(), found->end());
}

}  // namespace

void PlugIns::loadAll(const std::string& folder) {
  std::vector<std::string> modules;
  findModules(folder, "", &modules);
  for (const std::string& relative : modules) load(folder, relative);
}

void PlugIns::load(const std::string& folder, const std::string& relative) {
  const std::string shown = "Plug_ins\\" + relative;
  printLine("plugin " + utf8FromAnsi(shown));
  HMODULE module = LoadLibraryExA((folder + "\\" + relative).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) {
    printLine("not loadable " + utf8FromAnsi(shown));
    return;
  }
  auto entry = reinterpret_cast<PlugInMainProc>(reinterpret_cast<void*>(GetProcAddress(module, "PlugInMain")));
  if (!entry) {
    printLine("no PlugInMain in " + utf8FromAnsi(shown));
    FreeLibrary(module);
    return;
  }
  Host& h = host();
  WindowsDataRecord windows{h.frame, module};
  uint32_t answered = 0;
  SetupProc setup = nullptr;
  ASBool started = 0;
  h.callPlugIn("PlugInMain", [&] { started = entry(h.options().handshakeVersion, &answered, &setup, &windows); });
  printLine("PlugInMain " + std::string(started ? "true" : "false") + " version " + hex(answered));
  Loaded plugIn;
  plugIn.module = module;
  plugIn.file = shown;
  plugIn.extension = h.newExtension(shown);
  SdkDataRecord sdk{answered, reinterpret_cast<ASExtension>(plugIn.extension), h.core(), nullptr};
  // The setup procedure comes back as it is; the viewer calls it directly.
  ASBool setUp = 0;
  if (started && setup) h.callPlugIn("setup", [&] { setUp = setup(answered, &sdk); });
  if (!setUp) {
    printLine("setup refused");
    FreeLibrary(module);
    return;
  }
  Callback* handshakeCallback = h.callback(sdk.handshake, "setup");
  HandshakeRecord record;
  std::memset(&record, kViewerBytes, sizeof record);
  record.importReplaceAndRegister = record.init = record.unload = nullptr;
  record.extensionName = 0;
  ASBool shookHands = 0;
  if (handshakeCallback) {
    auto handshake = reinterpret_cast<HandshakeProc>(handshakeCallback->procedure);
    h.callPlugIn("handshake", [&] { shookHands = handshake(answered, &record); });
  }
  if (!shookHands) {
    printLine("handshake refused");
    FreeLibrary(module);
    return;
  }
  for (size_t i = 0; i < sizeof record.viewerOwned0; ++i)
    if (record.viewerOwned0[i] != kViewerBytes) printLine("error handshake record bytes 0-5 changed");
  for (size_t i = 0; i < sizeof record.viewerOwned8; ++i)
    if (record.viewerOwned8[i] != kViewerBytes) printLine("error handshake record bytes 8-11 changed");
  if (record.importReplaceAndRegister) printLine("error import-and-register procedure given");
  plugIn.extension->name = h.atomText(record.extensionName);
  printLine("handshake " + utf8FromAnsi(plugIn.extension->name));
  plugIn.unload = h.callback(record.unload, "handshake unload");
  Callback* init = h.callback(record.init, "handshake init");
  loaded_.push_back(plugIn);
  if (init) {
    auto initialise = reinterpret_cast<InitProc>(init->procedure);
    ASBool ok = 0;
    h.callPlugIn("init", [&] { ok = initialise(); });
    printLine("init " + utf8FromAnsi(plugIn.extension->name) + (ok ? " true" : " false"));
  }
}

void PlugIns::unloadAll() {
  Host& h = host();
  for (Loaded& plugIn : loaded_) {
    printLine("unload " + utf8FromAnsi(plugIn.extension->name));
    if (plugIn.unload) {
      auto unload = reinterpret_cast<UnloadProc>(plugIn.unload->procedure);
      ASBool ok = 0;
      h.callPlugIn("unload", [&] { ok = unload(); });
      if (!ok) printLine("unload answered false");
    }
  }
  for (Loaded& plugIn : loaded_) FreeLibrary(plugIn.module);
  // What plug-ins still hold, or left in the viewer's menus.
  // The viewer holds no references of its own, so any left are a plug-in's,
  // on its own menus or on the viewer's that it acquired.
  for (auto& menu : h.allMenus())
    if (menu->references > 0)
      printLine("unreleased menu " + utf8FromAnsi(menu->name) + " " + std::to_string(menu->references));
  for (auto& item : h.allItems()) {
    if (item->references > 0) printLine("unreleased item " + utf8FromAnsi(item->name));
    if (item->owner && item->parent) printLine("left in menu item " + utf8FromAnsi(item->name));
  }
  size_t paths = 0, pages = 0;
  for (auto& path : h.paths()) paths += !path->released;
  for (auto& page : h.pages()) pages += !page->released;
  size_t selections = 0;
  for (auto& selection : h.selections()) selections += !selection->taken && !selection->destroyed;
  if (paths) printLine("unreleased paths " + std::to_string(paths));
  if (selections) printLine("undestroyed selections " + std::to_string(selections));
  if (pages) printLine("unreleased pages " + std::to_string(pages));
  // A modeless dialog registered and never unregistered.
  if (!h.modelessDialogs().empty())
    printLine("registered dialogs " + std::to_string(h.modelessDialogs().size()));
  if (GetModuleHandleA("vovar_av.dll")) printLine("still loaded vovar_av.dll");
  loaded_.clear();
}

}  // namespace viewer
