#pragma once
// Shared pieces of the catalogue tests: a scripted engine and sample records.

#include <map>
#include <string>
#include <vector>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/MappingFile.h"
#include "engine/IndexEngine.h"
#include "engine/Alert.h"

namespace tarvek::testing {

// Answers property questions from a table and records the calls it gets.
class ScriptedEngine final : public IndexEngine {
 public:
  uint32_t version = 0x00020001;
  uint32_t handle = 5;
  uint32_t attributes = 0xA1;
  std::map<uint32_t, uint32_t> numbers;
  std::map<uint32_t, std::string> texts;
  std::vector<std::string> calls;

  uint32_t indexOpen(const std::string& path, uint32_t* attrs, EngineErrorCode* error) override {
    calls.push_back("open " + path);
    if (attrs) *attrs = attributes;
    *error = handle ? 0 : 7;
    return handle;
  }
  uint32_t indexQuery(uint32_t, const std::string&, uint16_t, EngineErrorCode* error) override {
    *error = 1;
    return 0;
  }
  EngineErrorCode topicCount(uint32_t, uint32_t*) override { return 1; }
  EngineErrorCode topic(uint32_t, uint32_t, uint32_t*, uint32_t*) override { return 1; }
  EngineErrorCode topicOccurrences(uint32_t, uint32_t, uint32_t, uint32_t*) override { return 1; }
  EngineErrorCode indexClose(uint32_t index) override {
    calls.push_back("close " + std::to_string(index));
    return 0;
  }
  std::vector<std::string> keys;  // handed out by enumKeys
  void enumKeys(uint32_t index, uint32_t kind, const std::function<void(const std::string&)>& onKey) override {
    calls.push_back("enum " + std::to_string(index) + " " + std::to_string(kind));
    for (const std::string& key : keys) onKey(key);
  }
  EngineErrorCode infoNumber(uint32_t index, uint32_t property, uint32_t* value) override {
    calls.push_back("info " + std::to_string(property));
    auto it = numbers.find(property);
    if (it == numbers.end()) return 1;
    *value = it->second;
    return 0;
  }
  EngineErrorCode infoText(uint32_t index, uint32_t property, std::string* text) override {
    calls.push_back("info " + std::to_string(property));
    auto it = texts.find(property);
    *text = it == texts.end() ? std::string() : it->second;
    return 0;
  }
  uint32_t apiVersion() override {
    calls.push_back("version");
    return version;
  }
  uint16_t lingModules(uint32_t, uint16_t) override { return 0; }
};

struct RecordingAlert final : Alert {
  void note(const std::string& message) override { notes.push_back(message); }
  std::vector<std::string> notes;
};

inline ActiveIndexEntry sampleIndexEntry(const std::string& stem) {
  ActiveIndexEntry e;
  e.indexPath = "d:\\idx\\" + stem + ".sbi";
  e.mappingPath = "d:\\idx\\" + stem + ".sbf";
  e.indexName = "Index " + stem;
  e.indexerNumber = "IX-" + stem;
  e.fileVersion = 13;
  e.indexSize = 0x01020304;
  e.wordCount = 0xFFFFFFFF;
  e.created = 0x2D210000;
  e.updated = 0x2D220000;
  e.language = 4;
  e.lemmatized = 0x80;
  e.attribute20 = 0x20;
  e.reserved = 0xDEADBEEF;
  return e;
}

inline MappingEntry sampleMappingEntry(const std::string& path, std::vector<uint32_t> topics) {
  MappingEntry e;
  e.pdfPath = path;
  e.auxText = "aux";
  e.pdfTitle = "Title of " + path;
  e.entryFlag = 0;
  e.pageCount = static_cast<int32_t>(topics.size());
  e.fileSize = 1000;
  e.pageTopics = std::move(topics);
  return e;
}

}  // namespace tarvek::testing
