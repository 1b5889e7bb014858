#include "engine/LibraryEngine.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/fakes/FakeServices.h"
#include "engine/Alert.h"

namespace tarvek {
namespace {

using namespace engine_api;

constexpr char kEnginePath[] = "C:\\Plug_ins\\Tarvek\\vovar_av.dll";

// A tiny engine: every function records its arguments.
struct Calls {
  std::vector<std::string> log;
  uint32_t version = 0x00020005;
} g_calls;

IndexHandle TARVEK_STDCALL fakeOpen(const char* path, uint32_t* attributes, EngineErrorCode* error) {
  g_calls.log.push_back(std::string("open ") + path);
  if (attributes) *attributes = 0xA0;
  *error = 0;
  return 7;
}
TopicList TARVEK_STDCALL fakeQuery(IndexHandle index, const char* query, uint32_t zero, uint32_t flags, uint32_t zero2,
                                   uint32_t zero3, EngineErrorCode* error) {
  g_calls.log.push_back("query " + std::to_string(index) + " " + query + " " + std::to_string(flags) + " " +
                        std::to_string(zero + zero2 + zero3));
  *error = kOnlyExcludedWords;
  return 0;
}
EngineErrorCode TARVEK_STDCALL fakeTopic(TopicList list, uint32_t topic, uint32_t same, uint32_t* id, uint32_t* count) {
  g_calls.log.push_back("topic " + std::to_string(topic) + " " + std::to_string(same));
  *id = 100 + topic;
  *count = 0x10002;  // only the low 16 bits count
  return 0;
}
EngineErrorCode TARVEK_STDCALL fakeOcc(TopicList, uint32_t topic, uint32_t, uint32_t last, uint32_t, uint32_t* buffer,
                                       uint32_t, uint32_t) {
  g_calls.log.push_back("occ " + std::to_string(topic) + " last " + std::to_string(last));
  for (uint32_t i = 0; i <= last; ++i) buffer[i] = 10 + i;
  return 0;
}
uint32_t TARVEK_STDCALL fakeEnum(IndexHandle, uint32_t kind, uint32_t, KeyCallback callback, uint32_t) {
  for (const char* word : {"a", "the"}) callback(0, word, 0);
  return kind;
}
EngineErrorCode TARVEK_STDCALL fakeInfo(IndexHandle, uint32_t property, uint32_t* value, char* buffer) {
  if (property == kPropIndexName) {
    g_calls.log.push_back("info text size " + std::to_string(*value));
    for (uint32_t i = 0; i < *value; ++i) buffer[i] = 'n';  // fills every byte, no terminator
    return 0;
  }
  *value = property * 2;
  return 0;
}
uint32_t TARVEK_STDCALL fakeVersion() { return g_calls.version; }
uint16_t TARVEK_STDCALL fakeLing(uint32_t kind, uint32_t mask) { return kind == kLingLemmatization ? mask : 0; }

struct RecordingAlert final : Alert {
  void note(const std::string& message) override { notes.push_back(message); }
  std::vector<std::string> notes;
};

class LibraryEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls = {};
    env.libraries.add(kEnginePath, {{kIndexOpen, reinterpret_cast<void*>(&fakeOpen)},
                                    {kIndexQuery, reinterpret_cast<void*>(&fakeQuery)},
                                    {kTListGetTopic, reinterpret_cast<void*>(&fakeTopic)},
                                    {kTListGetTopicOcc, reinterpret_cast<void*>(&fakeOcc)},
                                    {kIndexEnumKeys, reinterpret_cast<void*>(&fakeEnum)},
                                    {kIndexGetInfo, reinterpret_cast<void*>(&fakeInfo)},
                                    {kIndexGetVerOfApi, reinterpret_cast<void*>(&fakeVersion)},
                                    {kIndexGetLingModules, reinterpret_cast<void*>(&fakeLing)}});
    library = env.libraries.load(kEnginePath);
    ASSERT_TRUE(library);
  }
  testing::FakeEnv env;
  std::unique_ptr<Library> library;
};

TEST_F(LibraryEngineTest, EveryCallLooksItsFunctionUpFirst) {
  LibraryEngine engine(*library);
  EngineErrorCode error = 1;
  uint32_t attributes = 0;
  EXPECT_EQ(engine.indexOpen("d:\\idx\\law.sbi", &attributes, &error), 7u);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(attributes, 0xA0u);
  engine.indexOpen("d:\\idx\\law.sbi", nullptr, &error);
  EXPECT_EQ(engine.indexQuery(7, "zákon", 0x0120, &error), 0u);
  EXPECT_EQ(error, kOnlyExcludedWords);
  const std::vector<std::string> expected = {kIndexOpen, kIndexOpen, kIndexQuery};
  EXPECT_EQ(env.libraries.lookups(), expected);
  EXPECT_EQ(g_calls.log.back(), "query 7 zákon 288 0");
}

TEST_F(LibraryEngineTest, TopicCallsPassTheirConstantArguments) {
  LibraryEngine engine(*library);
  uint32_t id = 0, count = 0;
  EXPECT_EQ(engine.topic(1, 4, &id, &count), 0);
  EXPECT_EQ(id, 104u);
  std::vector<uint32_t> occurrences(2);
  EXPECT_EQ(engine.topicOccurrences(1, 4, 2, occurrences.data()), 0);
  EXPECT_EQ(occurrences, (std::vector<uint32_t>{10, 11}));
  // A topic with no occurrences does not reach the engine at all.
  EXPECT_EQ(engine.topicOccurrences(1, 5, 0, nullptr), 0);
  EXPECT_EQ(g_calls.log, (std::vector<std::string>{"topic 4 4", "occ 4 last 1"}));
}

TEST_F(LibraryEngineTest, MissingFunctionsFailWithoutACall) {
  LibraryEngine engine(*library);
  uint32_t count = 5;
  EXPECT_EQ(engine.topicCount(1, &count), kEngineFunctionMissing);  // never registered
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(engine.indexClose(1), kEngineFunctionMissing);
  env.libraries.removeSymbol(kEnginePath, kIndexOpen);
  EngineErrorCode error = 0;
  EXPECT_EQ(engine.indexOpen("x", nullptr, &error), 0u);
  EXPECT_EQ(error, kEngineFunctionMissing);
  env.libraries.removeSymbol(kEnginePath, kIndexGetVerOfApi);
  env.libraries.removeSymbol(kEnginePath, kIndexGetLingModules);
  env.libraries.removeSymbol(kEnginePath, kIndexEnumKeys);
  EXPECT_EQ(engine.apiVersion(), 0u);
  EXPECT_EQ(engine.lingModules(kLingLemmatization, 1), 0);
  int keys = 0;
  engine.enumKeys(1, kEnumExcludedWords, [&](const std::string&) { ++keys; });
  EXPECT_EQ(keys, 0);
  EXPECT_TRUE(g_calls.log.empty());
}

TEST_F(LibraryEngineTest, TextPropertiesStayWithinTheirBuffer) {
  LibraryEngine engine(*library);
  std::string name;
  EXPECT_EQ(engine.infoText(1, kPropIndexName, &name), 0);
  EXPECT_EQ(name, std::string(256, 'n'));
  EXPECT_EQ(g_calls.log.back(), "info text size 256");
  uint32_t value = 0;
  EXPECT_EQ(engine.infoNumber(1, kPropLanguage, &value), 0);
  EXPECT_EQ(value, 34u);
}

TEST_F(LibraryEngineTest, KeysReachTheHandler) {
  LibraryEngine engine(*library);
  std::vector<std::string> keys;
  engine.enumKeys(1, kEnumExcludedWords, [&](const std::string& key) { keys.push_back(key); });
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "the"}));
}

TEST_F(LibraryEngineTest, VersionCheckAlertsOnAWrongMajorVersion) {
  LibraryEngine engine(*library);
  RecordingAlert alert;
  EXPECT_TRUE(checkEngineVersion(engine, alert, env.module));
  EXPECT_TRUE(alert.notes.empty());
  g_calls.version = 0x00030000;
  EXPECT_FALSE(checkEngineVersion(engine, alert, env.module));
  ASSERT_EQ(alert.notes.size(), 1u);
  EXPECT_EQ(env.codePage.toUtf8(alert.notes[0]), "Chybná verzia knižníc indexera");
  EXPECT_EQ(engine.lingModules(kLingLemmatization, 1 << 8), 1 << 8);
}

}  // namespace
}  // namespace tarvek
