#pragma once
// The stand-in engine behind the exported functions: open indexes and topic
// lists behind checked handles, the linguistic data of the data folder, and
// one method per exported function. Every method returns its failure as a
// status code; none throws on bad input.
//
// A topic list belongs to the index it was made from and is freed by
// IndexClose. An index keeps at most kMaxListsPerIndex lists; making one more
// frees its oldest, whose handle then reads as a bad handle.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/EngineApi.h"
#include "standins/engine/HandleTable.h"
#include "standins/engine/IndexLemmas.h"
#include "standins/engine/Linguistics.h"
#include "standins/engine/RecursiveLock.h"
#include "standins/engine/SbiIndex.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/TermMatcher.h"

namespace tarvek::sbi {

inline constexpr uint32_t kApiVersion = 0x00020001;  // 2 in the high half, as hosts require
inline constexpr size_t kMaxListsPerIndex = 256;
inline constexpr size_t kMaxOccurrencesPerTopic = 0xFFFF;

class Engine {
 public:
  // The one engine of the process, as the exported functions see it.
  static Engine& instance();

  // Folder of the linguistic data; empty restores the default (DataFolder.h).
  void setDataFolder(std::string folder);

  uint32_t open(const char* path, uint32_t* attributes, uint16_t* error);
  uint32_t query(uint32_t index, const char* text, uint32_t flags, uint16_t* error);
  uint16_t topicCount(uint32_t list, uint32_t* count);
  uint16_t topic(uint32_t list, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount);
  // Copies occurrences first to last (inclusive) of the topic into buffer.
  uint16_t topicOccurrences(uint32_t list, uint32_t topic, uint32_t first, uint32_t last, uint32_t* buffer);
  uint16_t close(uint32_t index);
  uint16_t enumKeys(uint32_t index, uint32_t kind, engine_api::KeyCallback callback);
  uint16_t info(uint32_t index, uint32_t property, uint32_t* value, char* buffer);
  uint16_t lingModules(uint32_t kind, uint32_t mask);

 private:
  struct OpenIndex {
    std::unique_ptr<PostingsSource> file;  // the index file, open while the index is
    IndexData data;
    std::unique_ptr<IndexReader> reader;  // over data and file
    std::unique_ptr<TermMatcher> matcher;
    std::unique_ptr<IndexLemmas> lemmas;  // over data and file
    std::deque<uint32_t> lists;  // oldest first
  };
  struct TopicList {
    std::vector<uint32_t> topicIds;
    std::vector<std::vector<uint32_t>> occurrences;  // low 16 bits: position, high: word length
  };

  struct LanguageData {
    std::unique_ptr<ling::LingReader> reader;  // null until opened, or when refused
    bool refused = false;                      // there but damaged: not tried again
  };

  std::string dataFolder() const;
  // The language's data, opened on first use; null when absent or damaged.
  ling::LingReader* lingData(uint32_t language);
  void addList(OpenIndex& index, std::unique_ptr<TopicList> list, uint32_t* handle, uint16_t* error);

  RecursiveLock mutex_;
  HandleTable<OpenIndex> indexes_{false};
  HandleTable<TopicList> lists_{true};
  std::optional<std::string> dataFolder_;
  std::map<uint32_t, LanguageData> lingData_;
};

}  // namespace tarvek::sbi
