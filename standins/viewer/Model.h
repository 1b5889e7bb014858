#pragma once
// What the stand-in viewer keeps behind the handles it gives plug-ins: menus,
// menu items, tool buttons, documents, pages, selections, path objects and
// callbacks. Objects live until the viewer exits, so a stale handle from a
// plug-in never points at freed memory; `references` counts what plug-ins
// hold and must still release.

#include <windows.h>

#include <string>
#include <vector>

#include "host/HostApi.h"

namespace viewer {

using namespace tarvek::host;

struct Extension {
  std::string file;  // the plug-in's path below the viewer's folder
  std::string name;  // from the handshake; empty before it
};

struct Callback {
  Extension* owner;
  ASProc procedure;
};

struct MenuItem;

struct Menu {
  std::string title;  // texts in the ANSI code page, as plug-ins give them
  std::string name;
  Extension* owner = nullptr;  // null: the viewer's own
  std::vector<MenuItem*> items;
  bool onBar = false;
  MenuItem* holder = nullptr;  // the item it hangs from, when it is a submenu
  int references = 0;
  bool destroyed = false;
  HMENU popup = nullptr;  // while the window's menu shows it
};

struct MenuItem {
  std::string title;
  std::string name;
  char shortcut = 0;
  AVFlagBits16 modifiers = 0;
  Menu* submenu = nullptr;
  Menu* parent = nullptr;
  Extension* owner = nullptr;
  Callback* execute = nullptr;
  void* executeData = nullptr;
  Callback* enable = nullptr;
  void* enableData = nullptr;
  int references = 0;
  UINT commandId = 0;
  void (*builtIn)() = nullptr;  // the viewer's own action
};

struct ToolButton {
  std::string name;
  HBITMAP bitmap = nullptr;  // our copy
  bool separator = false;
  Extension* owner = nullptr;
  Callback* execute = nullptr;
  void* executeData = nullptr;
  Callback* enable = nullptr;
  void* enableData = nullptr;
  std::string helpText;
  bool onBar = false;
  UINT commandId = 0;
};

struct Document {
  std::string path;  // ANSI
  int pageCount = 0;
  int shownPage = 0;
  int selectionPage = -1;
  std::vector<HighlightEntry> selection;
  HWND window = nullptr;
  // The shown page's text, read when the page is first drawn.
  int textPage = -1;
  bool hasText = false;
  std::string text;
};

struct Page {
  Document* document;
  int number;
  bool released = false;
};

// A word selection: each entry names its first word and how many words
// follow from it, so an entry of length 0 selects nothing.
struct Selection {
  Document* document;
  int page;
  std::vector<HighlightEntry> entries;
  bool destroyed = false;
  bool taken = false;  // a document's selection now, which owns it
};

// The word positions `entries` select, in order, each once.
std::vector<int> selectedWords(const std::vector<HighlightEntry>& entries);

struct PathName {
  std::string path;
  bool released = false;
};

}  // namespace viewer
