#include "tests/native/ScriptedEngine.h"

namespace tarvek::testing {

ScriptedEngine::Index* ScriptedEngine::byHandle(uint32_t handle) {
  if (handle == 0 || handle > handles_.size()) return nullptr;
  return &indexes[handles_[handle - 1]];
}

uint32_t ScriptedEngine::indexOpen(const std::string& path, uint32_t* attributes, EngineErrorCode* error) {
  calls.push_back("open " + path);
  auto it = indexes.find(path);
  if (it == indexes.end() || it->second.openError) {
    *error = it == indexes.end() ? 2 : it->second.openError;
    return 0;
  }
  if (attributes) *attributes = 0;
  handles_.push_back(path);
  ++open_;
  return static_cast<uint32_t>(handles_.size());
}

uint32_t ScriptedEngine::indexQuery(uint32_t index, const std::string& query, uint16_t flags,
                                    EngineErrorCode* error) {
  calls.push_back("query " + handles_.at(index - 1) + " " + query + " " + std::to_string(flags));
  Index* i = byHandle(index);
  if (!i || i->queryError) {
    *error = i ? i->queryError : 6;
    return 0;
  }
  return index;  // one list per index
}

EngineErrorCode ScriptedEngine::topicCount(uint32_t list, uint32_t* count) {
  Index* i = byHandle(list);
  if (!i) return 6;
  if (i->countError) return i->countError;
  *count = i->reportedCount != UINT32_MAX ? i->reportedCount : static_cast<uint32_t>(i->topics.size());
  return 0;
}

EngineErrorCode ScriptedEngine::topic(uint32_t list, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount) {
  Index* i = byHandle(list);
  if (!i) return 6;
  if (i->failTopicAt >= 0 && static_cast<int>(topic) >= i->failTopicAt) return i->topicError;
  if (topic >= i->topics.size()) return 7;  // more topics reported than delivered
  *topicId = i->topics[topic].id;
  *occurrenceCount = i->topics[topic].occurrenceCount;
  return 0;
}

EngineErrorCode ScriptedEngine::topicOccurrences(uint32_t list, uint32_t topic, uint32_t count, uint32_t* buffer) {
  calls.push_back("occ " + std::to_string(topic) + " x" + std::to_string(count));
  Index* i = byHandle(list);
  if (!i) return 6;
  if (i->failOccurrencesAt == static_cast<int>(topic)) return i->occurrenceError;
  const std::vector<uint32_t>& values = i->topics.at(topic).occurrences;
  for (uint32_t k = 0; k < count; ++k) buffer[k] = k < values.size() ? values[k] : 0;
  return 0;
}

EngineErrorCode ScriptedEngine::indexClose(uint32_t index) {
  calls.push_back("close " + handles_.at(index - 1));
  Index* i = byHandle(index);
  if (!i) return 6;
  --open_;
  return i->closeError;
}

}  // namespace tarvek::testing
