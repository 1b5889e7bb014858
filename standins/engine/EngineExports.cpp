// The exported functions of vovar_av.dll, by their plain names with the
// standard calling convention. Each forwards to the one Engine and lets no
// exception out: a failure inside becomes a status code.
#include "standins/engine/EngineExports.h"

#include "engine/EngineApi.h"
#include "standins/engine/Engine.h"
#include "standins/engine/EngineErrors.h"

#if defined(_WIN32)
#define TARVEK_ENGINE_EXPORT extern "C" __declspec(dllexport)
#else
#define TARVEK_ENGINE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using tarvek::engine_api::KeyCallback;
using tarvek::sbi::Engine;
using tarvek::sbi::kInternalError;

namespace {

template <typename F>
uint16_t guarded(F&& f) {
  try {
    return f();
  } catch (...) {
    return kInternalError;
  }
}

template <typename F>
uint32_t guardedHandle(uint16_t* error, F&& f) {
  try {
    return f();
  } catch (...) {
    if (error) *error = kInternalError;
    return 0;
  }
}

}  // namespace

TARVEK_ENGINE_EXPORT uint32_t TARVEK_STDCALL IndexOpen(const char* path, uint32_t* attributes, uint16_t* error) {
  return guardedHandle(error, [&] { return Engine::instance().open(path, attributes, error); });
}

TARVEK_ENGINE_EXPORT uint32_t TARVEK_STDCALL IndexQuery(uint32_t index, const char* query, uint32_t, uint32_t flags,
                                                        uint32_t, uint32_t, uint16_t* error) {
  return guardedHandle(error, [&] { return Engine::instance().query(index, query, flags, error); });
}

TARVEK_ENGINE_EXPORT uint16_t TARVEK_STDCALL TListGetNumOfTopics(uint32_t list, uint32_t* count) {
  return guarded([&] { return Engine::instance().topicCount(list, count); });
}

// The second topic number is the end of a range the callers always make one
// topic long; the first names the topic answered.
TARVEK_ENGINE_EXPORT uint16_t TARVEK_STDCALL TListGetTopic(uint32_t list, uint32_t topic, uint32_t, uint32_t* topicId,
                                                           uint32_t* occurrenceCount) {
  return guarded([&] { return Engine::instance().topic(list, topic, topicId, occurrenceCount); });
}

TARVEK_ENGINE_EXPORT uint16_t TARVEK_STDCALL TListGetTopicOcc(uint32_t list, uint32_t topic, uint32_t first,
                                                              uint32_t last, uint32_t, uint32_t* buffer, uint32_t,
                                                              uint32_t) {
  return guarded([&] { return Engine::instance().topicOccurrences(list, topic, first, last, buffer); });
}

TARVEK_ENGINE_EXPORT uint16_t TARVEK_STDCALL IndexClose(uint32_t index) {
  return guarded([&] { return Engine::instance().close(index); });
}

TARVEK_ENGINE_EXPORT uint32_t TARVEK_STDCALL IndexEnumKeys(uint32_t index, uint32_t kind, uint32_t,
                                                           KeyCallback callback, uint32_t) {
  return guarded([&] { return Engine::instance().enumKeys(index, kind, callback); });
}

TARVEK_ENGINE_EXPORT uint16_t TARVEK_STDCALL IndexGetInfo(uint32_t index, uint32_t property, uint32_t* value,
                                                          char* buffer) {
  return guarded([&] { return Engine::instance().info(index, property, value, buffer); });
}

TARVEK_ENGINE_EXPORT uint32_t TARVEK_STDCALL IndexGetVerOfApi() { return tarvek::sbi::kApiVersion; }

TARVEK_ENGINE_EXPORT uint16_t TARVEK_STDCALL IndexGetLingModules(uint32_t kind, uint32_t mask) {
  try {
    return Engine::instance().lingModules(kind, mask);
  } catch (...) {
    return 0;
  }
}
