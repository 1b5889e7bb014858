#include "engine/LibraryEngine.h"

#include <vector>

#include "platform/Module.h"
#include "engine/Alert.h"

namespace tarvek {

using namespace engine_api;

namespace {

// IndexEnumKeys takes a plain stdcall function; it reaches the caller's
// handler through this pointer, set only while one enumeration runs.
const std::function<void(const std::string&)>* g_keyHandler = nullptr;

uint32_t TARVEK_STDCALL forwardKey(uint32_t, const char* key, uint32_t) {
  if (g_keyHandler && key) (*g_keyHandler)(key);
  return 0;
}

}  // namespace

uint32_t LibraryEngine::indexOpen(const std::string& path, uint32_t* attributes, EngineErrorCode* error) {
  auto fn = bind<IndexOpenFn>(kIndexOpen);
  if (!fn) {
    *error = kEngineFunctionMissing;
    return 0;
  }
  *error = 0;
  return fn(path.c_str(), attributes, error);
}

uint32_t LibraryEngine::indexQuery(uint32_t index, const std::string& query, uint16_t flags, EngineErrorCode* error) {
  auto fn = bind<IndexQueryFn>(kIndexQuery);
  if (!fn) {
    *error = kEngineFunctionMissing;
    return 0;
  }
  *error = 0;
  return fn(index, query.c_str(), 0, flags, 0, 0, error);
}

EngineErrorCode LibraryEngine::topicCount(uint32_t list, uint32_t* count) {
  auto fn = bind<TListGetNumOfTopicsFn>(kTListGetNumOfTopics);
  return fn ? fn(list, count) : kEngineFunctionMissing;
}

EngineErrorCode LibraryEngine::topic(uint32_t list, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount) {
  auto fn = bind<TListGetTopicFn>(kTListGetTopic);
  return fn ? fn(list, topic, topic, topicId, occurrenceCount) : kEngineFunctionMissing;
}

EngineErrorCode LibraryEngine::topicOccurrences(uint32_t list, uint32_t topic, uint32_t count, uint32_t* buffer) {
  // No occurrences to fetch: the engine is not handed an empty buffer.
  if (count == 0) return 0;
  auto fn = bind<TListGetTopicOccFn>(kTListGetTopicOcc);
  return fn ? fn(list, topic, 0, count - 1, 0, buffer, 0, 0) : kEngineFunctionMissing;
}

EngineErrorCode LibraryEngine::indexClose(uint32_t index) {
  auto fn = bind<IndexCloseFn>(kIndexClose);
  return fn ? fn(index) : kEngineFunctionMissing;
}

void LibraryEngine::enumKeys(uint32_t index, uint32_t kind, const std::function<void(const std::string&)>& onKey) {
  auto fn = bind<IndexEnumKeysFn>(kIndexEnumKeys);
  if (!fn) return;
  const auto* previous = g_keyHandler;
  g_keyHandler = &onKey;
  fn(index, kind, 0, &forwardKey, 0);
  g_keyHandler = previous;
}

EngineErrorCode LibraryEngine::infoNumber(uint32_t index, uint32_t property, uint32_t* value) {
  auto fn = bind<IndexGetInfoFn>(kIndexGetInfo);
  return fn ? fn(index, property, value, nullptr) : kEngineFunctionMissing;
}

EngineErrorCode LibraryEngine::infoText(uint32_t index, uint32_t property, std::string* text) {
  text->clear();
  auto fn = bind<IndexGetInfoFn>(kIndexGetInfo);
  if (!fn) return kEngineFunctionMissing;
  // One spare zero byte, so that an engine filling all 256 bytes still leaves
  // a terminated text.
  std::vector<char> buffer(kTextPropertyBufferSize + 1, '\0');
  uint32_t size = kTextPropertyBufferSize;
  const EngineErrorCode status = fn(index, property, &size, buffer.data());
  *text = buffer.data();
  return status;
}

uint32_t LibraryEngine::apiVersion() {
  auto fn = bind<IndexGetVerOfApiFn>(kIndexGetVerOfApi);
  return fn ? fn() : 0;
}

uint16_t LibraryEngine::lingModules(uint32_t kind, uint16_t mask) {
  auto fn = bind<IndexGetLingModulesFn>(kIndexGetLingModules);
  return fn ? fn(kind, mask) : 0;
}

bool checkEngineVersion(IndexEngine& engine, Alert& alert, Module& texts) {
  if ((engine.apiVersion() >> 16) == kApiMajorVersion) return true;
  alert.note(texts.text(kTextWrongEngineVersion));
  return false;
}

}  // namespace tarvek
