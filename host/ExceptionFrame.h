#pragma once
// Calls into the viewer that may raise. The viewer reports some failures not
// by its answer but by calling the restore procedure of the frame on top of
// its frame stack, which jumps back to where that frame was pushed. A raise
// must never pass a frame of the plug-in: the jump would skip its
// destructors and land in the viewer's own handler. So each such call runs
// inside a frame of ours: push, setjmp, call, and pop on both paths.
//
// Between the setjmp and the viewer's answer nothing may need destroying: the
// call given here must only pass values it was handed (no temporaries with
// destructors), and the answer is stored through a plain reference.

#include <csetjmp>

#include "host/Tables.h"

namespace tarvek::host {

// The restore procedure of our frames: jumps back into withinFrame.
inline void restoreFrame(void* environment) { std::longjmp(*static_cast<std::jmp_buf*>(environment), 1); }

// Runs `call` inside a frame of ours; false when the viewer raised instead
// of returning (the error code is then the core's ASGetExceptionErrorCode).
template <typename Call>
bool withinFrame(const CoreTable& core, const Call& call) {
  std::jmp_buf environment;
  core.ASPushExceptionFrame(&environment, &restoreFrame);
  if (setjmp(environment) == 0) {
    call();
    core.ASPopExceptionFrame();
    return true;
  }
  core.ASPopExceptionFrame();
  return false;
}

// What `call` answers, or `fallback` when the viewer raised.
template <typename Result, typename Call>
Result answerOrFallback(const CoreTable& core, Result fallback, const Call& call) {
  Result answer = fallback;
  if (!withinFrame(core, [&answer, &call] { answer = call(); })) return fallback;
  return answer;
}

}  // namespace tarvek::host
