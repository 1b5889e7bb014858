#include "standins/viewer/Script.h"

#include <cstdio>
#include <cstdlib>

#include "standins/viewer/Dialogs.h"
#include "standins/viewer/ListViews.h"
#include "standins/viewer/Output.h"
#include "standins/viewer/PopupMenus.h"
#include "standins/viewer/Screenshot.h"

namespace viewer {
namespace {

Script* g_script = nullptr;  // the one running script; the timer reaches it here
constexpr UINT kTickMilliseconds = 20;
constexpr double kDefaultWaitSeconds = 5;

std::string itemLine(const MenuItem& item) {
  std::string line = "item " + utf8FromAnsi(item.name) + " " + quoted(utf8FromAnsi(item.title));
  line += item.shortcut ? std::string(" shortcut ") + item.shortcut : std::string(" shortcut none");
  return line + " modifiers " + std::to_string(item.modifiers);
}

std::string bitmapText(HBITMAP bitmap) {
  if (!bitmap) return " no bitmap";
  DIBSECTION dib{};
  const int size = GetObjectA(bitmap, sizeof dib, &dib);
  if (size == 0) return " no bitmap";
  std::string text = " bitmap " + std::to_string(dib.dsBm.bmWidth) + "x" + std::to_string(dib.dsBm.bmHeight);
  // Only a DIB section keeps its own colour depth.
  if (size == sizeof(DIBSECTION)) text += " " + std::to_string(dib.dsBmih.biBitCount) + "bpp";
  return text;
}

}  // namespace

Script::Script(Host& host, MainWindow& window, std::vector<std::string> lines)
    : host_(host), window_(window), lines_(std::move(lines)) {}

void Script::start() {
  g_script = this;
  timer_ = SetTimer(nullptr, 0, kTickMilliseconds, &Script::onTimer);
}

void CALLBACK Script::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_script) return;
  try {
    g_script->tick();
  } catch (...) {
    printLine("error in script command");
  }
}

void Script::tick() {
  // A command that is still running (one that pumps messages) is not
  // overtaken; the actions themselves are posted, so this is rare.
  if (running_) return;
  running_ = true;
  while (true) {
    std::vector<std::string> words;
    if (next_ < lines_.size()) {
      words = splitWords(lines_[next_]);
      if (words.empty() || words[0][0] == '#') {
        ++next_;
        continue;
      }
    } else {
      words = {"quit"};  // the end of the script ends the viewer
    }
    if (!run(words)) break;  // still waiting: ask again on the next tick
    ++next_;
    // One acting command per tick, so what it posted happens before the next.
    break;
  }
  running_ = false;
}

bool Script::run(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  const size_t args = words.size() - 1;
  auto arg = [&](size_t i) { return i <= args ? words[i] : std::string(); };

  if (command == "menus") {
    printMenus();
  } else if (command == "menu" && args >= 1) {
    MenuItem* item = host_.findItem(ansiFromUtf8(arg(1)));
    if (!item || item->submenu) printLine("no item " + arg(1));
    else if (!host_.enabled(*item)) printLine("disabled " + arg(1));
    else {
      printLine("menu " + arg(1));
      PostMessageA(window_.hwnd(), WM_COMMAND, MAKEWPARAM(item->commandId, 0), 0);
    }
  } else if (command == "tool" && args >= 1) {
    ToolButton* button = host_.findButton(ansiFromUtf8(arg(1)));
    window_.refreshToolBar();
    if (!button) printLine("no button " + arg(1));
    else if (!host_.enabled(*button)) printLine("disabled " + arg(1));
    else {
      printLine("tool " + arg(1));
      HWND toolbar = FindWindowExA(window_.hwnd(), nullptr, "ToolbarWindow32", nullptr);
      PostMessageA(window_.hwnd(), WM_COMMAND, MAKEWPARAM(button->commandId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(toolbar));
    }
  } else if (command == "enabled" && args >= 1) {
    const std::string name = ansiFromUtf8(arg(1));
    if (MenuItem* item = host_.findItem(name))
      printLine("enabled " + arg(1) + (host_.enabled(*item) ? " true" : " false"));
    else if (ToolButton* button = host_.findButton(name))
      printLine("enabled " + arg(1) + (host_.enabled(*button) ? " true" : " false"));
    else
      printLine("no item " + arg(1));
  } else if (command == "wait" && args >= 1) {
    return waitFor(words);
  } else if (command == "dump") {
    HWND dialog = topmostDialog();
    if (!dialog) printLine("no dialog");
    else for (const std::string& line : describeDialog(dialog)) printLine(line);
  } else if (command == "click" && args >= 1) {
    HWND dialog = topmostDialog();
    const std::string problem = dialog ? viewer::click(dialog, arg(1)) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "timeclick" && args >= 1) {
    HWND dialog = topmostDialog();
    std::string problem = dialog ? std::string() : "no dialog";
    if (dialog)
      stopwatch_.time([&] { problem = viewer::click(dialog, arg(1)); },
                      [](double milliseconds) {
                        char text[32];
                        snprintf(text, sizeof text, "%.1f", milliseconds);
                        printLine(std::string("time ") + text + " ms");
                      });
    if (!problem.empty()) printLine(problem);
  } else if (command == "memory") {
    printLine(memoryLine());
  } else if (command == "type" && args >= 2) {
    HWND dialog = topmostDialog();
    const std::string problem = dialog ? typeText(dialog, arg(1), arg(2)) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "select" && args >= 1) {
    HWND dialog = topmostDialog();
    const std::string problem =
        dialog ? selectItems(dialog, arg(1), std::vector<std::string>(words.begin() + 2, words.end())) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "key" && args >= 1) {
    HWND dialog = topmostDialog();
    const std::string problem = dialog ? pressKey(dialog, arg(1)) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "raise" && args >= 1) {
    // As a user's click on a dialog's title bar: it comes on top of the others.
    HWND found = nullptr;
    for (HWND dialog : visibleDialogs())
      if (!found && windowTextUtf8(dialog) == arg(1)) found = dialog;
    if (!found) {
      printLine("no dialog " + quoted(arg(1)));
    } else {
      SetWindowPos(found, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      SetActiveWindow(found);
    }
  } else if (command == "close") {
    if (HWND dialog = topmostDialog()) closeDialog(dialog);
    else printLine("no dialog");
  } else if (command == "echo") {
    // Marks a place in the output, so that a reader can cut it into steps.
    std::string text;
    for (size_t i = 1; i <= args; ++i) text += (i > 1 ? " " : "") + words[i];
    printLine("echo " + text);
  } else if (command == "log") {
    for (const std::string& line : host_.takeLog()) printLine(line);
  } else if (command == "shot" && args >= 1) {
    HWND target = topmostDialog();
    if (!target) target = window_.hwnd();
    if (!saveWindowPicture(target, ansiFromUtf8(arg(1)))) printLine("shot failed " + quoted(arg(1)));
  } else if (command == "open" && args >= 1) {
    // As a user opens a file; the host-call log tells the outcome.
    host_.openDocument(ansiFromUtf8(arg(1)));
  } else if (command == "popup") {
    if (HWND menu = openPopupMenu())
      for (const std::string& line : describePopupMenu(menu, topmostDialog())) printLine(line);
    else
      printLine("no popup");
  } else if (command == "choose" && args >= 1) {
    HWND menu = openPopupMenu();
    const std::string problem = menu ? choosePopupItem(menu, arg(1)) : "no popup";
    if (!problem.empty()) printLine(problem);
  } else if (command == "columns" && args >= 1) {
    HWND dialog = topmostDialog();
    if (!dialog) printLine("no dialog");
    else for (const std::string& line : describeColumns(dialog, arg(1))) printLine(line);
  } else if (command == "header" && args >= 2) {
    HWND dialog = topmostDialog();
    const std::string problem = dialog ? clickHeader(dialog, arg(1), arg(2)) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "dblclick" && args >= 2) {
    HWND dialog = topmostDialog();
    const std::string problem = dialog ? doubleClickRow(dialog, arg(1), arg(2)) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "docshot" && args >= 1) {
    HWND document = window_.lastDocumentWindow();
    if (!document) printLine("no document");
    else if (!saveWindowPicture(document, ansiFromUtf8(arg(1)))) printLine("shot failed " + quoted(arg(1)));
  } else if (command == "openfile" && args >= 1) {
    return openFile(words);
  } else if (command == "chars" && args >= 2) {
    HWND dialog = topmostDialog();
    const std::string problem = dialog ? typeChars(dialog, arg(1), arg(2)) : "no dialog";
    if (!problem.empty()) printLine(problem);
  } else if (command == "quit") {
    return quit();
  } else {
    printLine("unknown command " + quoted(command));
  }
  return true;
}

bool Script::waitFor(const std::vector<std::string>& words) {
  const std::string title = words[1];
  const double seconds = words.size() > 2 ? std::atof(words[2].c_str()) : kDefaultWaitSeconds;
  if (!waiting_) {
    waiting_ = true;
    waitStarted_ = GetTickCount();
  }
  for (HWND dialog : visibleDialogs()) {
    if (windowTextUtf8(dialog) == title) {
      waiting_ = false;
      printLine("shown " + quoted(title));
      return true;
    }
  }
  if (GetTickCount() - waitStarted_ < static_cast<DWORD>(seconds * 1000)) return false;
  waiting_ = false;
  printLine("timeout " + quoted(title));
  return true;
}

// Waits (up to 10 s) for the system's open-file dialog, then chooses the file
// in it as a user types its name and presses Open.
bool Script::openFile(const std::vector<std::string>& words) {
  constexpr DWORD kOpenFileWaitMilliseconds = 10000;
  if (!waiting_) {
    waiting_ = true;
    waitStarted_ = GetTickCount();
  }
  HWND dialog = topmostDialog();
  if (dialog && fileNameField(dialog)) {
    waiting_ = false;
    printLine("openfile " + quoted(windowTextUtf8(dialog)));
    chooseFile(dialog, words[1]);
    return true;
  }
  if (GetTickCount() - waitStarted_ < kOpenFileWaitMilliseconds) return false;
  waiting_ = false;
  printLine("no open-file dialog");
  return true;
}

bool Script::quit() {
  // Dialogs still up are cancelled first, so that every modal loop unwinds
  // before the plug-ins unload.
  if (quitTicks_ < 0) quitTicks_ = 0;
  const std::vector<HWND> dialogs = visibleDialogs();
  if (!dialogs.empty() && ++quitTicks_ < 250) {
    if (quitTicks_ % 10 == 1)
      for (HWND dialog : dialogs) PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return false;
  }
  KillTimer(nullptr, timer_);
  g_script = nullptr;
  PostMessageA(window_.hwnd(), WM_CLOSE, 0, 0);
  return true;
}

void Script::printMenus() {
  for (Menu* menu : host_.menubar()) printMenu(*menu, 0);
  for (ToolButton* button : host_.toolbar()) {
    if (button->separator) {
      printLine("tool separator");
      continue;
    }
    printLine("tool " + utf8FromAnsi(button->name) + " " + quoted(utf8FromAnsi(button->helpText)) +
              bitmapText(button->bitmap));
  }
}

void Script::printMenu(const Menu& menu, int depth) {
  const std::string indent(depth * 2, ' ');
  printLine(indent + "menu " + utf8FromAnsi(menu.name) + " " + quoted(utf8FromAnsi(menu.title)));
  for (const MenuItem* item : menu.items) {
    if (item->submenu)
      printMenu(*item->submenu, depth + 1);
    else
      printLine(indent + "  " + itemLine(*item));
  }
}

}  // namespace viewer
