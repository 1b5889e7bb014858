#include "standins/viewer/Stopwatch.h"

#include <psapi.h>

#include <utility>

namespace viewer {
namespace {

constexpr UINT kMarker = WM_APP + 17;
constexpr char kClassName[] = "ViewerStopwatch";

BOOL CALLBACK paintNow(HWND window, LPARAM) {
  if (IsWindowVisible(window)) RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

}  // namespace

Stopwatch::Stopwatch() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Stopwatch::procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  window_ = CreateWindowA(kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Stopwatch::~Stopwatch() {
  if (window_) DestroyWindow(window_);
}

void Stopwatch::time(const std::function<void()>& post, std::function<void(double)> done) {
  done_ = std::move(done);
  QueryPerformanceCounter(&started_);
  post();
  PostMessageA(window_, kMarker, 0, 0);
}

void Stopwatch::arrived() {
  // Whatever the action left to paint is painted now, as the user would see it.
  EnumThreadWindows(GetCurrentThreadId(), paintNow, 0);
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  if (done_) std::exchange(done_, nullptr)(1000.0 * static_cast<double>(now.QuadPart - started_.QuadPart) /
                                           static_cast<double>(frequency.QuadPart));
}

LRESULT CALLBACK Stopwatch::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kMarker) {
    if (auto* self = reinterpret_cast<Stopwatch*>(GetWindowLongPtrA(window, GWLP_USERDATA))) self->arrived();
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::string memoryLine() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return "memory private " + std::to_string(counters.PrivateUsage / 1024) + " KB working " +
         std::to_string(counters.WorkingSetSize / 1024) + " KB peak " +
         std::to_string(counters.PeakWorkingSetSize / 1024) + " KB";
}

}  // namespace viewer
