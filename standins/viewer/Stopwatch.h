#pragma once
// Times what a posted script action costs the plug-in: from the moment the
// action is posted until its handler has returned to a message loop and the
// windows it opened are painted. A marker posted right after the action
// reaches a message-only window once the handler is done (posted messages
// keep their order, and come before painting and timers); the marker then
// paints every dialog that is up and stops the clock.

#include <windows.h>

#include <functional>
#include <string>

namespace viewer {

class Stopwatch {
 public:
  Stopwatch();
  ~Stopwatch();
  Stopwatch(const Stopwatch&) = delete;
  Stopwatch& operator=(const Stopwatch&) = delete;

  // Starts the clock, runs `post` (which posts the action), then posts the
  // marker; `done` gets the milliseconds when the marker arrives.
  void time(const std::function<void()>& post, std::function<void(double)> done);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void arrived();

  HWND window_ = nullptr;
  LARGE_INTEGER started_{};
  std::function<void(double)> done_;
};

// `memory private KB working KB peak KB` of this process.
std::string memoryLine();

}  // namespace viewer
