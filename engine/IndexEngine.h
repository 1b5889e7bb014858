#pragma once
// The index engine as the core sees it: one method per engine function, the
// arguments the callers vary and nothing else. LibraryEngine binds it to the
// loaded vovar_av library; tests script it directly.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/EngineApi.h"

namespace tarvek {

class Alert;
class Module;

using EngineErrorCode = engine_api::EngineErrorCode;

// Status our binding reports when the library lacks the function called.
// Engines use small codes; this one is ours.
inline constexpr EngineErrorCode kEngineFunctionMissing = 0xFFFE;

class IndexEngine {
 public:
  virtual ~IndexEngine() = default;

  // Handle, or 0 with *error set. `attributes` may be null.
  virtual uint32_t indexOpen(const std::string& path, uint32_t* attributes, EngineErrorCode* error) = 0;
  // Topic list, or 0 with *error set. `flags` is the whole option word sent.
  virtual uint32_t indexQuery(uint32_t index, const std::string& query, uint16_t flags, EngineErrorCode* error) = 0;
  virtual EngineErrorCode topicCount(uint32_t list, uint32_t* count) = 0;
  // Topic id and occurrence count (low 16 bits) of topic number `topic`.
  virtual EngineErrorCode topic(uint32_t list, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount) = 0;
  // Fills `buffer` with occurrences 0 to count - 1 of topic number `topic`.
  virtual EngineErrorCode topicOccurrences(uint32_t list, uint32_t topic, uint32_t count, uint32_t* buffer) = 0;
  virtual EngineErrorCode indexClose(uint32_t index) = 0;
  // Calls `onKey` for each key of the kind (16: excluded words).
  virtual void enumKeys(uint32_t index, uint32_t kind, const std::function<void(const std::string&)>& onKey) = 0;
  virtual EngineErrorCode infoNumber(uint32_t index, uint32_t property, uint32_t* value) = 0;
  // Text properties (257, 262) through a 256-byte buffer.
  virtual EngineErrorCode infoText(uint32_t index, uint32_t property, std::string* text) = 0;
  // 0 when the library lacks the function.
  virtual uint32_t apiVersion() = 0;
  // The mask answered for `kind` and `mask`; 0 when the library lacks the function.
  virtual uint16_t lingModules(uint32_t kind, uint16_t mask) = 0;
};

// True iff the engine's API version has 2 in its high 16 bits. Otherwise the
// viewer's alert shows "Chybná verzia knižníc indexera".
bool checkEngineVersion(IndexEngine& engine, Alert& alert, Module& texts);

}  // namespace tarvek
