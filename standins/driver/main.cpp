// The driver: starts a program (the installer, typically) and runs a script
// against its windows with the stand-in viewer's commands, printing one line
// per event. See README.md here. It is not part of the product.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "standins/viewer/Dialogs.h"
#include "standins/viewer/Output.h"
#include "standins/viewer/Screenshot.h"
#include "standins/viewer/ScriptWords.h"

namespace {

constexpr DWORD kPollMilliseconds = 20;
// After an acting command, time for the program to handle what was posted.
constexpr DWORD kSettleMilliseconds = 200;
constexpr double kDefaultWaitSeconds = 5;
constexpr double kDefaultExitSeconds = 10;

std::string quotedArgument(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  return "\"" + argument + "\"";
}

class Driver {
 public:
  Driver(HANDLE process, DWORD thread) : process_(process), thread_(thread) {}

  void run(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
      const std::vector<std::string> words = viewer::splitWords(line);
      if (words.empty() || words[0][0] == '#') continue;
      command(words);
    }
    waitForExit(kDefaultExitSeconds, true);
  }

 private:
  bool running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

  void command(const std::vector<std::string>& words) {
    const std::string& name = words[0];
    const size_t args = words.size() - 1;
    auto arg = [&](size_t i) { return i <= args ? words[i] : std::string(); };
    HWND top = viewer::topmostWindowOf(thread_);
    std::string problem;
    bool acted = false;
    if (name == "wait" && args >= 1) {
      waitFor(arg(1), args >= 2 ? std::atof(arg(2).c_str()) : kDefaultWaitSeconds);
    } else if (name == "dump") {
      if (!top) viewer::printLine("no dialog");
      else for (const std::string& line : viewer::describeDialog(top)) viewer::printLine(line);
    } else if (name == "click" && args >= 1) {
      problem = top ? viewer::click(top, arg(1)) : "no dialog";
      acted = true;
    } else if (name == "type" && args >= 2) {
      problem = top ? viewer::typeText(top, arg(1), arg(2)) : "no dialog";
      acted = true;
    } else if (name == "select" && args >= 1) {
      problem = top ? viewer::selectItems(top, arg(1), std::vector<std::string>(words.begin() + 2, words.end()))
                    : "no dialog";
      acted = true;
    } else if (name == "key" && args >= 1) {
      problem = top ? viewer::pressKey(top, arg(1)) : "no dialog";
      acted = true;
    } else if (name == "close") {
      if (top) viewer::closeDialog(top);
      else problem = "no dialog";
      acted = true;
    } else if (name == "shot" && args >= 1) {
      if (!top) problem = "no dialog";
      else if (!viewer::saveWindowPicture(top, viewer::ansiFromUtf8(arg(1)))) problem = "shot failed " + viewer::quoted(arg(1));
    } else if (name == "exit") {
      waitForExit(args >= 1 ? std::atof(arg(1).c_str()) : kDefaultExitSeconds, false);
    } else {
      problem = "unknown command " + viewer::quoted(name);
    }
    if (!problem.empty()) viewer::printLine(problem);
    if (acted && problem.empty()) Sleep(kSettleMilliseconds);
  }

  void waitFor(const std::string& title, double seconds) {
    const DWORD start = GetTickCount();
    while (true) {
      for (HWND window : viewer::visibleWindowsOf(thread_)) {
        if (viewer::windowTextUtf8(window) == title) {
          viewer::printLine("shown " + viewer::quoted(title));
          return;
        }
      }
      if (!running() || GetTickCount() - start >= static_cast<DWORD>(seconds * 1000)) break;
      Sleep(kPollMilliseconds);
    }
    viewer::printLine("timeout " + viewer::quoted(title));
  }

  // Prints "exited N" once the program has ended; at the script's end a
  // program still running is ended and "killed" printed.
  void waitForExit(double seconds, bool final) {
    if (reported_) return;
    if (WaitForSingleObject(process_, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0) {
      DWORD code = 0;
      GetExitCodeProcess(process_, &code);
      viewer::printLine("exited " + std::to_string(code));
      reported_ = true;
    } else if (final) {
      TerminateProcess(process_, 99);
      WaitForSingleObject(process_, 5000);
      viewer::printLine("killed");
      reported_ = true;
    } else {
      viewer::printLine("running");
    }
  }

  HANDLE process_;  // not owned
  DWORD thread_;
  bool reported_ = false;
};

int runDriver(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
  std::string script;
  int at = 1;
  for (; at < argc; ++at) {
    const std::string option = argv[at];
    if (option == "--script" && at + 1 < argc) script = argv[++at];
    else break;
  }
  if (script.empty() || at >= argc) {
    std::fprintf(stderr, "usage: driver --script FILE|- PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  std::vector<std::string> lines;
  if (!viewer::readScript(script, &lines)) {
    std::fprintf(stderr, "driver: cannot read script %s\n", script.c_str());
    return 2;
  }
  std::string command = quotedArgument(argv[at]);
  for (int i = at + 1; i < argc; ++i) command += " " + quotedArgument(argv[i]);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  // The program inherits no handles, so the driver's output ends with the driver.
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "driver: cannot start %s\n", command.c_str());
    return 2;
  }
  WaitForInputIdle(process.hProcess, 5000);
  Driver(process.hProcess, process.dwThreadId).run(lines);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  viewer::printLine("quit");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return runDriver(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "driver: %s\n", e.what());
    return 1;
  }
}
