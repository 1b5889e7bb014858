#pragma once
// Script mode: runs the commands of a script one per line from a thread
// timer, so they go on running inside any modal loop (dialogs, alerts), and
// prints one line per event.

#include <windows.h>

#include <string>
#include <vector>

#include "standins/viewer/Host.h"
#include "standins/viewer/MainWindow.h"
#include "standins/viewer/ScriptWords.h"
#include "standins/viewer/Stopwatch.h"

namespace viewer {

class Script {
 public:
  Script(Host& host, MainWindow& window, std::vector<std::string> lines);
  // Starts the timer; commands run from the next message loop on.
  void start();

 private:
  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  void tick();
  // Runs one command; false while it is still waiting (wait, quit).
  bool run(const std::vector<std::string>& words);
  bool waitFor(const std::vector<std::string>& words);
  bool quit();
  bool openFile(const std::vector<std::string>& words);
  void printMenus();
  void printMenu(const Menu& menu, int depth);

  Host& host_;
  MainWindow& window_;
  std::vector<std::string> lines_;
  size_t next_ = 0;
  bool running_ = false;  // a command is running; a nested tick waits
  DWORD waitStarted_ = 0;
  bool waiting_ = false;
  int quitTicks_ = -1;
  UINT_PTR timer_ = 0;
  Stopwatch stopwatch_;
};

}  // namespace viewer
