// vovar_av.dll as a host meets it: loaded by full path, every function found
// by its plain name, a query answered, a damaged index refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/EngineApi.h"
#include "standins/engine/SbiWriter.h"

namespace {

using namespace tarvek::engine_api;

std::string exeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class EngineDllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = exeFolder();
    SetLastError(0xdeadbeef);
    library_ = LoadLibraryA((folder_ + "\\vovar_av.dll").c_str());
    ASSERT_NE(library_, nullptr) << "LoadLibrary failed, error " << GetLastError();
  }
  void TearDown() override {
    if (library_) FreeLibrary(library_);
    for (const auto& path : written_) DeleteFileA(path.c_str());
  }
  template <typename Fn>
  Fn bind(const char* name) {
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    EXPECT_NE(fn, nullptr) << name;
    return fn;
  }
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder_ + "\\" + name;
    writeFile(path, bytes);
    written_.push_back(path);
    return path;
  }

  std::string folder_;
  HMODULE library_ = nullptr;
  std::vector<std::string> written_;
};

std::vector<uint8_t> smallIndex() {
  tarvek::sbi::IndexBuilder builder;
  builder.setName("Wine index");
  builder.setExcludedWords({"a"});
  builder.beginPage(501);
  builder.addText("kniha a pero");
  builder.beginPage(502);
  builder.addText("pero na stole");
  return builder.build();
}

TEST_F(EngineDllTest, EveryFunctionIsExportedByItsPlainName) {
  for (const char* name : {kIndexOpen, kIndexQuery, kTListGetNumOfTopics, kTListGetTopic, kTListGetTopicOcc,
                           kIndexClose, kIndexEnumKeys, kIndexGetInfo, kIndexGetVerOfApi, kIndexGetLingModules}) {
    EXPECT_NE(GetProcAddress(library_, name), nullptr) << name;
  }
  EXPECT_EQ(bind<IndexGetVerOfApiFn>(kIndexGetVerOfApi)() >> 16, kApiMajorVersion);
}

TEST_F(EngineDllTest, AnswersAQueryThroughGetProcAddress) {
  const std::string path = write("wine-test.sbi", smallIndex());
  EngineErrorCode error = 0xFFFF;
  uint32_t attributes = 0xFFFFFFFF;
  const IndexHandle index = bind<IndexOpenFn>(kIndexOpen)(path.c_str(), &attributes, &error);
  ASSERT_NE(index, 0u) << "error " << error;
  EXPECT_EQ(attributes, 0u);

  const TopicList list = bind<IndexQueryFn>(kIndexQuery)(index, "PERO", 0, 0x0120, 0, 0, &error);
  ASSERT_NE(list, 0u) << "error " << error;
  uint32_t count = 0;
  ASSERT_EQ(bind<TListGetNumOfTopicsFn>(kTListGetNumOfTopics)(list, &count), 0);
  ASSERT_EQ(count, 2u);
  uint32_t id = 0, occurrences = 0;
  ASSERT_EQ(bind<TListGetTopicFn>(kTListGetTopic)(list, 1, 1, &id, &occurrences), 0);
  EXPECT_EQ(id, 502u);
  ASSERT_EQ(occurrences, 1u);
  uint32_t value = 0xdeadbeef;
  ASSERT_EQ(bind<TListGetTopicOccFn>(kTListGetTopicOcc)(list, 1, 0, 0, 0, &value, 0, 0), 0);
  EXPECT_EQ(value, (4u << 16) | 0);

  EXPECT_EQ(bind<IndexQueryFn>(kIndexQuery)(index, "a", 0, 0x0120, 0, 0, &error), 0u);
  EXPECT_EQ(error, kOnlyExcludedWords);

  char name[256];
  uint32_t size = kTextPropertyBufferSize;
  EXPECT_EQ(bind<IndexGetInfoFn>(kIndexGetInfo)(index, kPropIndexName, &size, name), 0);
  EXPECT_STREQ(name, "Wine index");
  EXPECT_EQ(bind<IndexCloseFn>(kIndexClose)(index), 0);
  EXPECT_NE(bind<TListGetNumOfTopicsFn>(kTListGetNumOfTopics)(list, &count), 0) << "freed with its index";
}

TEST_F(EngineDllTest, LemmatisesWithTheLanguageDataBuiltBesideIt) {
  // The build lays the data of all nine languages beside the DLL.
  auto ling = bind<IndexGetLingModulesFn>(kIndexGetLingModules);
  EXPECT_EQ(ling(kLingLemmatization, 0x1FF), 0x1FF);
  EXPECT_EQ(ling(kLingSynonyms, 0x1FF), 0x1FF);
  tarvek::sbi::IndexBuilder builder;
  builder.beginPage(77);
  builder.addText("Pero le\x9e\xED pod knihou");  // "Pero leží pod knihou" in code page 1250
  const std::string path = write("wine-lemma.sbi", builder.build());
  EngineErrorCode error = 0;
  const IndexHandle index = bind<IndexOpenFn>(kIndexOpen)(path.c_str(), nullptr, &error);
  ASSERT_NE(index, 0u) << "error " << error;
  auto query = bind<IndexQueryFn>(kIndexQuery);
  uint32_t count = 0;
  const TopicList exact = query(index, "kniha", 0, 0x0120, 0, 0, &error);
  ASSERT_NE(exact, 0u);
  bind<TListGetNumOfTopicsFn>(kTListGetNumOfTopics)(exact, &count);
  EXPECT_EQ(count, 0u);
  const TopicList lemmas = query(index, "kniha", 0, 0x01A0, 0, 0, &error);
  ASSERT_NE(lemmas, 0u);
  bind<TListGetNumOfTopicsFn>(kTListGetNumOfTopics)(lemmas, &count);
  EXPECT_EQ(count, 1u);
  bind<IndexCloseFn>(kIndexClose)(index);
}

TEST_F(EngineDllTest, RefusesATruncatedIndexWithACode) {
  std::vector<uint8_t> bytes = smallIndex();
  bytes.resize(bytes.size() / 2);
  const std::string path = write("wine-cut.sbi", bytes);
  EngineErrorCode error = 0;
  EXPECT_EQ(bind<IndexOpenFn>(kIndexOpen)(path.c_str(), nullptr, &error), 0u);
  EXPECT_NE(error, 0);
}

}  // namespace
