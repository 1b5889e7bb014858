#pragma once
// An index engine whose answers and failures a test sets per index and per
// call, recording what it was asked.

#include <map>
#include <string>
#include <vector>

#include "engine/IndexEngine.h"

namespace tarvek::testing {

class ScriptedEngine final : public IndexEngine {
 public:
  struct Topic {
    uint32_t id = 0;
    uint32_t occurrenceCount = 0;  // as reported, high bits included
    std::vector<uint32_t> occurrences;
  };
  struct Index {
    std::vector<Topic> topics;
    EngineErrorCode openError = 0;
    EngineErrorCode queryError = 0;
    EngineErrorCode countError = 0;
    EngineErrorCode closeError = 0;
    uint32_t reportedCount = UINT32_MAX;  // topic count to report; the real one when UINT32_MAX
    int failTopicAt = -1;                 // TListGetTopic fails from this topic on
    int failOccurrencesAt = -1;           // TListGetTopicOcc fails for this topic
    EngineErrorCode topicError = 0;
    EngineErrorCode occurrenceError = 0;
  };

  // Keyed by index path.
  std::map<std::string, Index> indexes;
  uint16_t lemmatizationMask = 0;
  uint16_t synonymMask = 0;
  uint32_t version = 0x00020000;

  // What happened, one line per call.
  std::vector<std::string> calls;
  int openCount() const { return open_; }

  uint32_t indexOpen(const std::string& path, uint32_t* attributes, EngineErrorCode* error) override;
  uint32_t indexQuery(uint32_t index, const std::string& query, uint16_t flags, EngineErrorCode* error) override;
  EngineErrorCode topicCount(uint32_t list, uint32_t* count) override;
  EngineErrorCode topic(uint32_t list, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount) override;
  EngineErrorCode topicOccurrences(uint32_t list, uint32_t topic, uint32_t count, uint32_t* buffer) override;
  EngineErrorCode indexClose(uint32_t index) override;
  void enumKeys(uint32_t, uint32_t, const std::function<void(const std::string&)>&) override {}
  EngineErrorCode infoNumber(uint32_t, uint32_t, uint32_t* value) override {
    *value = 0;
    return 0;
  }
  EngineErrorCode infoText(uint32_t, uint32_t, std::string* text) override {
    text->clear();
    return 0;
  }
  uint32_t apiVersion() override { return version; }
  // Answers its configured mask whatever it is asked, so tests can make it
  // answer more or less than the question.
  uint16_t lingModules(uint32_t kind, uint16_t) override {
    return kind == engine_api::kLingLemmatization ? lemmatizationMask : synonymMask;
  }

 private:
  Index* byHandle(uint32_t handle);
  std::vector<std::string> handles_;  // handle - 1 -> index path
  int open_ = 0;
};

}  // namespace tarvek::testing
