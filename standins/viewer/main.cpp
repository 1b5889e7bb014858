// The stand-in viewer: offers the plug-in interface's tables, loads every
// *.API below its Plug_ins folder, shows a menu bar, a tool bar and document
// windows, and in script mode drives them (see README.md). It is not part of
// the product.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "standins/viewer/Dialogs.h"
#include "standins/viewer/Host.h"
#include "standins/viewer/MainWindow.h"
#include "standins/viewer/Output.h"
#include "standins/viewer/PlugIns.h"
#include "standins/viewer/Script.h"
#include "standins/viewer/ScriptWords.h"

namespace {

std::string programFolder() {
  char path[MAX_PATH * 4] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string text(path, n);
  return text.substr(0, text.find_last_of('\\'));
}

int runViewer(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  viewer::Options options;
  std::string error;
  if (!viewer::parseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
    std::fprintf(stderr, "viewer: %s\n", error.c_str());
    return 2;
  }
  std::vector<std::string> lines;
  if (!options.script.empty() && !viewer::readScript(options.script, &lines)) {
    std::fprintf(stderr, "viewer: cannot read script %s\n", options.script.c_str());
    return 2;
  }

  viewer::Host host(options);
  viewer::setHost(&host);
  viewer::MainWindow window(host);
  if (!window.create(GetModuleHandleA(nullptr))) return 1;
  viewer::PlugIns plugIns;
  window.onClosing = [&] { plugIns.unloadAll(); };

  // The script starts before the plug-ins, so it can answer an alert that
  // one shows while it starts.
  viewer::Script script(host, window, lines);
  if (!options.script.empty()) script.start();
  plugIns.loadAll(programFolder() + "\\Plug_ins");

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    bool done = false;
    for (HWND dialog : host.modelessDialogs())
      if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) {
        done = true;
        break;
      }
    if (done || window.runShortcut(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  viewer::printLine("quit");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return runViewer(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "viewer: %s\n", e.what());
    return 1;
  }
}
