#include "standins/engine/Engine.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <mutex>

#include "standins/engine/DataFolder.h"
#include "standins/engine/EngineErrors.h"
#include "standins/engine/FilePostings.h"
#include "standins/engine/Query.h"
#include "standins/engine/QueryEvaluator.h"
#include "standins/engine/SbiReader.h"

namespace tarvek::sbi {
namespace {

void setError(uint16_t* error, uint16_t code) {
  if (error) *error = code;
}

// Reads the head of the index file: the header says how long it is.
EngineError readHead(FilePostings& file, IndexData* index) {
  const int64_t size = file.size();
  if (size < 0) return kCannotOpenFile;
  return readIndexHead(file, static_cast<uint64_t>(size), index);
}

// What a text property fits into a buffer of `size` bytes, with its terminator.
uint16_t copyText(const std::string& text, uint32_t* size, char* buffer) {
  if (!buffer || *size == 0) return kBadArgument;
  const size_t n = std::min<size_t>(text.size(), *size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  *size = static_cast<uint32_t>(n);
  return kOk;
}

}  // namespace

Engine& Engine::instance() {
  static Engine engine;
  return engine;
}

void Engine::setDataFolder(std::string folder) {
  std::lock_guard lock(mutex_);
  if (folder.empty()) {
    dataFolder_.reset();
  } else {
    dataFolder_ = std::move(folder);
  }
  lingData_.clear();
}

std::string Engine::dataFolder() const { return dataFolder_ ? *dataFolder_ : defaultDataFolder(); }

ling::LingReader* Engine::lingData(uint32_t language) {
  if (languageSuffix(language).empty()) return nullptr;
  LanguageData& slot = lingData_[language];
  if (slot.reader || slot.refused) return slot.reader.get();
  // A missing file is asked for again next time, so data copied in while
  // the host runs counts; a damaged one is refused for good.
  auto file = std::make_unique<FilePostings>(lingDataPath(dataFolder(), language).c_str());
  if (!file->isOpen()) return nullptr;
  const int64_t size = file->size();
  slot.reader = size < 0 ? nullptr
                         : ling::LingReader::open(std::move(file), static_cast<uint64_t>(size),
                                                  static_cast<uint16_t>(language));
  slot.refused = !slot.reader;
  return slot.reader.get();
}

uint32_t Engine::open(const char* path, uint32_t* attributes, uint16_t* error) {
  std::lock_guard lock(mutex_);
  if (attributes) *attributes = 0;
  if (!path) {
    setError(error, kBadArgument);
    return 0;
  }
  auto file = std::make_unique<FilePostings>(path);
  if (!file->isOpen()) {
    setError(error, kCannotOpenFile);
    return 0;
  }
  auto index = std::make_unique<OpenIndex>();
  const EngineError status = readHead(*file, &index->data);
  if (status != kOk) {
    setError(error, status);
    return 0;
  }
  index->file = std::move(file);
  index->reader = std::make_unique<IndexReader>(index->data, *index->file);
  index->matcher = std::make_unique<TermMatcher>(*index->reader);
  index->lemmas = std::make_unique<IndexLemmas>(index->data, *index->file);
  const uint32_t indexAttributes = index->data.attributes;
  const uint32_t handle = indexes_.add(std::move(index));
  if (!handle) {
    setError(error, kOutOfResources);
    return 0;
  }
  if (attributes) *attributes = indexAttributes;
  setError(error, kOk);
  return handle;
}

void Engine::addList(OpenIndex& index, std::unique_ptr<TopicList> list, uint32_t* handle, uint16_t* error) {
  if (index.lists.size() >= kMaxListsPerIndex) {
    lists_.remove(index.lists.front());
    index.lists.pop_front();
  }
  *handle = lists_.add(std::move(list));
  if (!*handle) {
    setError(error, kOutOfResources);
    return;
  }
  index.lists.push_back(*handle);
  setError(error, kOk);
}

uint32_t Engine::query(uint32_t indexHandle, const char* text, uint32_t flags, uint16_t* error) {
  std::lock_guard lock(mutex_);
  OpenIndex* index = indexes_.find(indexHandle);
  if (!index) {
    setError(error, kBadHandle);
    return 0;
  }
  if (!text) {
    setError(error, kBadArgument);
    return 0;
  }
  QueryNode root;
  EngineError status = parseQuery(std::string_view(text, strnlen(text, kMaxQueryLength + 1)), flags, &root);
  if (status != kOk) {
    setError(error, status);
    return 0;
  }
  Linguistics linguistics;
  linguistics.ignoreDiacritics = flags & kFlagFuzzyDia;
  linguistics.allowTypo = flags & kFlagFuzzyTypo;
  if (flags & (kFlagLemmas | kFlagSynonyms)) {
    linguistics.data = lingData(index->data.language);
    // The index's own joins count without the language's data too.
    linguistics.lemmas =
        (flags & kFlagLemmas) && ((linguistics.data && linguistics.data->hasLemmas()) || index->lemmas->present());
    linguistics.indexLemmas = index->lemmas.get();
    linguistics.synonyms = (flags & kFlagSynonyms) && linguistics.data && linguistics.data->hasSynonyms();
  }
  Hits hits;
  status = QueryEvaluator(*index->reader, *index->matcher, linguistics).run(root, &hits);
  if (status == kDamagedLingData) {
    // Its modules are absent from now on; other languages keep theirs.
    lingData_[index->data.language] = LanguageData{nullptr, true};
  }
  if (status != kOk) {
    setError(error, status);
    return 0;
  }
  auto list = std::make_unique<TopicList>();
  list->topicIds.reserve(hits.size());
  list->occurrences.reserve(hits.size());
  for (const auto& page : hits) {
    uint32_t topicId = 0;
    if (!index->reader->topicId(page.ordinal, &topicId)) {
      setError(error, kDamagedIndex);
      return 0;
    }
    list->topicIds.push_back(topicId);
    // The count travels in 16 bits: a page with 65,536 hits (every position)
    // reports its first 65,535.
    std::vector<uint32_t> values;
    values.reserve(std::min<size_t>(page.where.size(), kMaxOccurrencesPerTopic));
    for (const auto& o : page.where) {
      if (values.size() == kMaxOccurrencesPerTopic) break;
      values.push_back((uint32_t{o.length} << 16) | o.position);
    }
    list->occurrences.push_back(std::move(values));
  }
  uint32_t handle = 0;
  addList(*index, std::move(list), &handle, error);
  return handle;
}

uint16_t Engine::topicCount(uint32_t listHandle, uint32_t* count) {
  std::lock_guard lock(mutex_);
  const TopicList* list = lists_.find(listHandle);
  if (!list) return kBadHandle;
  if (!count) return kBadArgument;
  *count = static_cast<uint32_t>(list->topicIds.size());
  return kOk;
}

uint16_t Engine::topic(uint32_t listHandle, uint32_t topic, uint32_t* topicId, uint32_t* occurrenceCount) {
  std::lock_guard lock(mutex_);
  const TopicList* list = lists_.find(listHandle);
  if (!list) return kBadHandle;
  if (!topicId || !occurrenceCount) return kBadArgument;
  if (topic >= list->topicIds.size()) return kTopicOutOfRange;
  *topicId = list->topicIds[topic];
  *occurrenceCount = static_cast<uint32_t>(list->occurrences[topic].size());
  return kOk;
}

uint16_t Engine::topicOccurrences(uint32_t listHandle, uint32_t topic, uint32_t first, uint32_t last,
                                  uint32_t* buffer) {
  std::lock_guard lock(mutex_);
  const TopicList* list = lists_.find(listHandle);
  if (!list) return kBadHandle;
  if (!buffer) return kBadArgument;
  if (topic >= list->topicIds.size()) return kTopicOutOfRange;
  const auto& values = list->occurrences[topic];
  if (first > last || last >= values.size()) return kOccurrenceOutOfRange;
  std::copy(values.begin() + first, values.begin() + last + 1, buffer);
  return kOk;
}

uint16_t Engine::close(uint32_t indexHandle) {
  std::lock_guard lock(mutex_);
  auto index = indexes_.remove(indexHandle);
  if (!index) return kBadHandle;
  for (uint32_t list : index->lists) lists_.remove(list);
  return kOk;
}

uint16_t Engine::enumKeys(uint32_t indexHandle, uint32_t kind, engine_api::KeyCallback callback) {
  std::lock_guard lock(mutex_);
  const OpenIndex* index = indexes_.find(indexHandle);
  if (!index) return kBadHandle;
  if (kind != engine_api::kEnumExcludedWords) return kUnknownKeyKind;
  if (!callback) return kBadArgument;
  // A copy: the callback may close the index while we walk its words.
  const std::vector<std::string> words = index->data.excluded;
  for (uint32_t i = 0; i < words.size(); ++i)
    if (callback(i, words[i].c_str(), static_cast<uint32_t>(words[i].size())) != 0) break;
  return kOk;
}

uint16_t Engine::info(uint32_t indexHandle, uint32_t property, uint32_t* value, char* buffer) {
  std::lock_guard lock(mutex_);
  const OpenIndex* index = indexes_.find(indexHandle);
  if (!index) return kBadHandle;
  if (!value) return kBadArgument;
  const IndexData& d = index->data;
  // clang-format off
  switch (property) {
    case engine_api::kPropWordCount: *value = d.termCount; return kOk;
    case engine_api::kPropFileVersion: *value = d.formatVersion; return kOk;
    case engine_api::kPropLanguage: *value = d.language; return kOk;
    case engine_api::kPropIndexSize: *value = static_cast<uint32_t>(std::min<uint64_t>(d.fileSize, ~0u)); return kOk;
    case engine_api::kPropCreated: *value = d.created; return kOk;
    case engine_api::kPropUpdated: *value = d.updated; return kOk;
    case engine_api::kPropIndexName: return copyText(d.name, value, buffer);
    case engine_api::kPropIndexerNumber: return copyText(d.indexerNumber, value, buffer);
    default: return kUnknownProperty;
  }
  // clang-format on
}

uint16_t Engine::lingModules(uint32_t kind, uint32_t mask) {
  std::lock_guard lock(mutex_);
  if (kind != engine_api::kLingLemmatization && kind != engine_api::kLingSynonyms) return 0;
  uint16_t present = 0;
  for (uint32_t language = 0; language < 16; ++language) {
    if (!(mask & (1u << language))) continue;
    const ling::LingReader* data = lingData(language);
    if (data && (kind == engine_api::kLingSynonyms ? data->hasSynonyms() : data->hasLemmas()))
      present |= static_cast<uint16_t>(1u << language);
  }
  return present;
}

}  // namespace tarvek::sbi
