// The engine double that tests put beside the plug-in: its answers come from
// the script named by TARVEK_ENGINE_DOUBLE, and a variant lacks functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/Module.h"
#include "platform/win32/Win32Services.h"
#include "engine/LibraryEngine.h"
#include "engine/Alert.h"

namespace tarvek {
namespace {

struct RecordingAlert final : Alert {
  void note(const std::string& message) override { notes.push_back(message); }
  std::vector<std::string> notes;
};

std::string nativePath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class EngineDoubleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    script = std::string(temp) + "tarvek-engine-double-" + std::to_string(GetCurrentProcessId()) + ".ini";
  }
  void TearDown() override {
    SetEnvironmentVariableA("TARVEK_ENGINE_DOUBLE", nullptr);
    DeleteFileA(script.c_str());
  }
  std::unique_ptr<Library> load(const std::string& dll, const std::string& text) {
    std::ofstream(script, std::ios::binary) << text;
    SetEnvironmentVariableA("TARVEK_ENGINE_DOUBLE", script.c_str());
    return loader.load(nativePath(dll));
  }
  std::string script;
  win32::Win32LibraryLoader loader;
  win32::Win32Module module{win32::currentModule()};
};

TEST_F(EngineDoubleTest, AnswersWhatTheScriptSets) {
  auto library = load(TARVEK_ENGINE_DOUBLE,
                      "version 0x00020003\n"
                      "topic 7 10 11 12\n"
                      "topic 9 4\n"
                      "excluded a the\n"
                      "ling 0 0x0005\n"
                      "info 17 2\n"
                      "info 257 Zbierka zákonov\n"
                      "fail IndexClose 12\n");
  ASSERT_TRUE(library);
  LibraryEngine engine(*library);
  RecordingAlert alert;
  EXPECT_TRUE(checkEngineVersion(engine, alert, module));
  EngineErrorCode error = 99;
  const uint32_t index = engine.indexOpen("d:\\idx\\law.sbi", nullptr, &error);
  EXPECT_NE(index, 0u);
  EXPECT_EQ(error, 0);
  const uint32_t list = engine.indexQuery(index, "zákon", 0x0100, &error);
  EXPECT_NE(list, 0u);
  uint32_t count = 0, id = 0, occurrences = 0;
  EXPECT_EQ(engine.topicCount(list, &count), 0);
  EXPECT_EQ(count, 2u);
  EXPECT_EQ(engine.topic(list, 0, &id, &occurrences), 0);
  EXPECT_EQ(id, 7u);
  ASSERT_EQ(occurrences, 3u);
  std::vector<uint32_t> values(occurrences);
  EXPECT_EQ(engine.topicOccurrences(list, 0, occurrences, values.data()), 0);
  EXPECT_EQ(values, (std::vector<uint32_t>{10, 11, 12}));
  std::vector<std::string> keys;
  engine.enumKeys(index, engine_api::kEnumExcludedWords, [&](const std::string& key) { keys.push_back(key); });
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "the"}));
  EXPECT_EQ(engine.lingModules(0, 0x0007), 0x0005);
  uint32_t language = 0;
  EXPECT_EQ(engine.infoNumber(index, engine_api::kPropLanguage, &language), 0);
  EXPECT_EQ(language, 2u);
  std::string name;
  EXPECT_EQ(engine.infoText(index, engine_api::kPropIndexName, &name), 0);
  EXPECT_EQ(name, "Zbierka z\xC3\xA1konov");  // the script's bytes are handed on as they are
  EXPECT_EQ(engine.indexClose(index), 12);
}

TEST_F(EngineDoubleTest, FailuresAndAWrongVersionAreReported) {
  auto library = load(TARVEK_ENGINE_DOUBLE, "version 0x00030000\nfail IndexOpen 5\nfail IndexQuery 43\n");
  ASSERT_TRUE(library);
  LibraryEngine engine(*library);
  RecordingAlert alert;
  EXPECT_FALSE(checkEngineVersion(engine, alert, module));
  ASSERT_EQ(alert.notes.size(), 1u);
  EngineErrorCode error = 0;
  EXPECT_EQ(engine.indexOpen("x", nullptr, &error), 0u);
  EXPECT_EQ(error, 5);
  EXPECT_EQ(engine.indexQuery(1, "a", 0, &error), 0u);
  EXPECT_EQ(error, engine_api::kOnlyExcludedWords);
}

TEST_F(EngineDoubleTest, TheVariantWithoutFunctionsLacksThem) {
  auto library = load(TARVEK_ENGINE_DOUBLE_WITHOUT_VERSION, "");
  ASSERT_TRUE(library);
  EXPECT_EQ(library->symbol("IndexGetVerOfApi"), nullptr);
  EXPECT_EQ(library->symbol("IndexQuery"), nullptr);
  EXPECT_NE(library->symbol("IndexOpen"), nullptr);
  LibraryEngine engine(*library);
  RecordingAlert alert;
  EXPECT_FALSE(checkEngineVersion(engine, alert, module));
}

}  // namespace
}  // namespace tarvek
