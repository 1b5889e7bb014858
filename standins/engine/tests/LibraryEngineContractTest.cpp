// The plug-in's engine binding (engine/LibraryEngine) over this engine: every
// call made the way the plug-in makes it, through symbols looked up by name.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/LibraryEngine.h"
#include "standins/engine/EngineExports.h"
#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

using namespace engine_api;

// The natively linked engine functions, found by their exported names.
class LinkedEngineLibrary final : public Library {
 public:
  void* symbol(const char* name) override {
    static const std::map<std::string, void*> symbols = {
        {kIndexOpen, reinterpret_cast<void*>(&IndexOpen)},
        {kIndexQuery, reinterpret_cast<void*>(&IndexQuery)},
        {kTListGetNumOfTopics, reinterpret_cast<void*>(&TListGetNumOfTopics)},
        {kTListGetTopic, reinterpret_cast<void*>(&TListGetTopic)},
        {kTListGetTopicOcc, reinterpret_cast<void*>(&TListGetTopicOcc)},
        {kIndexClose, reinterpret_cast<void*>(&IndexClose)},
        {kIndexEnumKeys, reinterpret_cast<void*>(&IndexEnumKeys)},
        {kIndexGetInfo, reinterpret_cast<void*>(&IndexGetInfo)},
        {kIndexGetVerOfApi, reinterpret_cast<void*>(&IndexGetVerOfApi)},
        {kIndexGetLingModules, reinterpret_cast<void*>(&IndexGetLingModules)},
    };
    auto it = symbols.find(name);
    return it == symbols.end() ? nullptr : it->second;
  }
};

class LibraryEngineContractTest : public EngineFixture {
 protected:
  LinkedEngineLibrary library_;
  LibraryEngine engine_{library_};
};

TEST_F(LibraryEngineContractTest, ASearchAsThePlugInRunsIt) {
  EXPECT_EQ(engine_.apiVersion() >> 16, kApiMajorVersion);
  EXPECT_EQ(engine_.lingModules(kLingLemmatization, 1), 1);
  EXPECT_EQ(engine_.lingModules(kLingSynonyms, 2), 0);

  EngineErrorCode error = 0xFFFF;
  uint32_t attributes = 0xFFFFFFFF;
  const uint32_t index = engine_.indexOpen(indexPath_, &attributes, &error);
  ASSERT_NE(index, 0u);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(attributes, 0u);

  const uint32_t list = engine_.indexQuery(index, "stole pero", 0x0110 | 0x0100, &error);
  ASSERT_NE(list, 0u) << error;
  uint32_t count = 0;
  ASSERT_EQ(engine_.topicCount(list, &count), 0);
  ASSERT_EQ(count, 1u);
  uint32_t id = 0, occurrences = 0;
  ASSERT_EQ(engine_.topic(list, 0, &id, &occurrences), 0);
  EXPECT_EQ(id, 1003u);
  ASSERT_EQ(occurrences & 0xFFFF, 2u);
  uint32_t values[2] = {};
  ASSERT_EQ(engine_.topicOccurrences(list, 0, 2, values), 0);
  EXPECT_EQ(values[0] & 0xFFFF, 3u);
  EXPECT_EQ(values[1] & 0xFFFF, 5u);

  EXPECT_EQ(engine_.indexQuery(index, "a o", 0x0120 | 0x0100, &error), 0u);
  EXPECT_EQ(error, kOnlyExcludedWords);

  std::vector<std::string> words;
  engine_.enumKeys(index, kEnumExcludedWords, [&](const std::string& w) { words.push_back(w); });
  EXPECT_EQ(words.size(), kTestExcluded.size());

  std::string name;
  EXPECT_EQ(engine_.infoText(index, kPropIndexName, &name), 0);
  EXPECT_EQ(name, ansi("Testovací index"));
  std::string number;
  EXPECT_EQ(engine_.infoText(index, kPropIndexerNumber, &number), 0);
  EXPECT_EQ(number, "T-42");
  uint32_t language = 0xFFFF;
  EXPECT_EQ(engine_.infoNumber(index, kPropLanguage, &language), 0);
  EXPECT_EQ(language, 0u);

  EXPECT_EQ(engine_.indexClose(index), 0);
  EXPECT_NE(engine_.topicCount(list, &count), 0) << "the list went with its index";
}

}  // namespace
}  // namespace tarvek::sbi::test
