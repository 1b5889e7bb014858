#pragma once
// IndexEngine over the loaded engine library. Every call looks its function
// up by name just before calling it; a function the library lacks makes that
// call fail (kEngineFunctionMissing, a 0 handle, or nothing), never a call
// through a null pointer.

#include "platform/Library.h"
#include "engine/IndexEngine.h"

namespace tarvek {

class LibraryEngine final : public IndexEngine {
 public:
  explicit LibraryEngine(Library& library) : library_(library) {}

  uint32_t indexOpen(const std::string& path, uint32_t* attributes, EngineErrorCode* error) override;
  uint32_t indexQuery(uint32_t index, const std::string& query, uint16_t flags, EngineErrorCode* error) override;
  EngineErrorCode topicCount(uint32_t list, uint32_t* count) override;
  EngineErrorCode topic(uint32_t list, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount) override;
  EngineErrorCode topicOccurrences(uint32_t list, uint32_t topic, uint32_t count, uint32_t* buffer) override;
  EngineErrorCode indexClose(uint32_t index) override;
  void enumKeys(uint32_t index, uint32_t kind, const std::function<void(const std::string&)>& onKey) override;
  EngineErrorCode infoNumber(uint32_t index, uint32_t property, uint32_t* value) override;
  EngineErrorCode infoText(uint32_t index, uint32_t property, std::string* text) override;
  uint32_t apiVersion() override;
  uint16_t lingModules(uint32_t kind, uint16_t mask) override;

 private:
  template <typename Fn>
  Fn bind(const char* name) {
    return reinterpret_cast<Fn>(library_.symbol(name));
  }
  Library& library_;  // not owned: the plug-in's engineLibrary
};

}  // namespace tarvek
