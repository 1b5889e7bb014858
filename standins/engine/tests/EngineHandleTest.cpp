// Handles, topic lists, excluded-word enumeration and index properties.
#include <cstring>
#include <string>

#include "standins/engine/SbiIndex.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

using engine_api::KeyCallback;

class EngineHandleTest : public EngineFixture {
 protected:
  uint32_t list(const char* text) {
    uint16_t error = 0;
    const std::string query = ansi(text);
    return IndexQuery(index_, query.c_str(), 0, 0x0120, 0, 0, &error);
  }
};

std::vector<std::string> g_keys;
std::vector<uint32_t> g_values;
uint32_t TARVEK_STDCALL collectKey(uint32_t value1, const char* key, uint32_t value2) {
  g_keys.push_back(key);
  g_values.push_back(value1);
  return 0;
}
uint32_t TARVEK_STDCALL stopAfterTwo(uint32_t, const char* key, uint32_t) {
  g_keys.push_back(key);
  return g_keys.size() == 2 ? 1 : 0;
}

TEST_F(EngineHandleTest, EnumKeysListsTheExcludedWordsInOrder) {
  g_keys.clear();
  g_values.clear();
  EXPECT_EQ(IndexEnumKeys(index_, 16, 0, &collectKey, 0), 0u);
  EXPECT_EQ(g_keys, (std::vector<std::string>{"a", "die", "je", "na", "o", "v"}));
  EXPECT_EQ(g_values, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));

  g_keys.clear();
  IndexEnumKeys(index_, 16, 0, &stopAfterTwo, 0);
  EXPECT_EQ(g_keys.size(), 2u) << "a nonzero answer stops the enumeration";

  g_keys.clear();
  EXPECT_EQ(IndexEnumKeys(index_, 1, 0, &collectKey, 0), 11u);
  EXPECT_EQ(IndexEnumKeys(index_ + 1, 16, 0, &collectKey, 0), 1u);
  EXPECT_EQ(IndexEnumKeys(index_, 16, 0, nullptr, 0), 2u);
  EXPECT_TRUE(g_keys.empty());
}

TEST_F(EngineHandleTest, InfoAnswersTheNumberAndTextProperties) {
  uint32_t value = 0;
  EXPECT_EQ(IndexGetInfo(index_, 1, &value, nullptr), 0);
  EXPECT_EQ(value, 28u) << "distinct words indexed";
  EXPECT_EQ(IndexGetInfo(index_, 13, &value, nullptr), 0);
  EXPECT_EQ(value, 3u);
  EXPECT_EQ(IndexGetInfo(index_, 17, &value, nullptr), 0);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(IndexGetInfo(index_, 18, &value, nullptr), 0);
  EXPECT_EQ(value, std::filesystem::file_size(indexPath_));
  EXPECT_EQ(IndexGetInfo(index_, 19, &value, nullptr), 0);
  EXPECT_EQ(value, 0x5A210000u);
  EXPECT_EQ(IndexGetInfo(index_, 20, &value, nullptr), 0);
  EXPECT_EQ(value, 0x5A220000u);

  char buffer[256];
  std::memset(buffer, 'x', sizeof buffer);
  value = 256;
  EXPECT_EQ(IndexGetInfo(index_, 257, &value, buffer), 0);
  EXPECT_EQ(std::string(buffer), ansi("Testovací index"));
  value = 256;
  EXPECT_EQ(IndexGetInfo(index_, 262, &value, buffer), 0);
  EXPECT_STREQ(buffer, "T-42");
  value = 3;
  EXPECT_EQ(IndexGetInfo(index_, 257, &value, buffer), 0);
  EXPECT_STREQ(buffer, "Te") << "cut to the buffer with its terminator";

  EXPECT_EQ(IndexGetInfo(index_, 2, &value, nullptr), 10) << "unknown property";
  EXPECT_EQ(IndexGetInfo(index_, 257, &value, nullptr), 2) << "text property without a buffer";
  EXPECT_EQ(IndexGetInfo(index_, 1, nullptr, nullptr), 2);
  EXPECT_EQ(IndexGetInfo(0, 1, &value, nullptr), 1);
}

TEST_F(EngineHandleTest, ApiVersionHasTwoInItsHighHalf) { EXPECT_EQ(IndexGetVerOfApi() >> 16, 2u); }

TEST_F(EngineHandleTest, TopicListsRefuseOutOfRangeRequests) {
  const uint32_t found = list("stole");
  ASSERT_NE(found, 0u);
  uint32_t id = 0, count = 0, buffer[4] = {};
  EXPECT_EQ(TListGetTopic(found, 1, 1, &id, &count), 8);
  EXPECT_EQ(TListGetTopic(found, 0, 0, nullptr, &count), 2);
  EXPECT_EQ(TListGetTopicOcc(found, 0, 0, 1, 0, buffer, 0, 0), 9) << "one occurrence only";
  EXPECT_EQ(TListGetTopicOcc(found, 0, 1, 0, 0, buffer, 0, 0), 9);
  EXPECT_EQ(TListGetTopicOcc(found, 1, 0, 0, 0, buffer, 0, 0), 8);
  EXPECT_EQ(TListGetTopicOcc(found, 0, 0, 0, 0, nullptr, 0, 0), 2);
  EXPECT_EQ(TListGetNumOfTopics(found, nullptr), 2);
}

TEST_F(EngineHandleTest, CloseFreesTheIndexAndItsTopicLists) {
  const uint32_t found = list("kniha");
  ASSERT_NE(found, 0u);
  uint32_t count = 0;
  EXPECT_EQ(TListGetNumOfTopics(found, &count), 0);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(TListGetNumOfTopics(index_, &count), 1) << "an index handle is no topic list";

  EXPECT_EQ(IndexClose(index_), 0);
  EXPECT_EQ(TListGetNumOfTopics(found, &count), 1);
  EXPECT_EQ(IndexClose(index_), 1) << "closed twice";
  uint16_t error = 0;
  EXPECT_EQ(IndexQuery(index_, "kniha", 0, 0x120, 0, 0, &error), 0u);
  EXPECT_EQ(error, 1);

  // The slot is used again, under a new generation: the old handle stays dead.
  const uint32_t reopened = IndexOpen(indexPath_.c_str(), nullptr, &error);
  ASSERT_NE(reopened, 0u);
  EXPECT_NE(reopened, index_);
  EXPECT_EQ(IndexClose(index_), 1);
  index_ = reopened;
}

TEST_F(EngineHandleTest, AnIndexKeepsABoundedNumberOfTopicLists) {
  const uint32_t first = list("kniha");
  for (int i = 0; i < 256; ++i) ASSERT_NE(list("kniha"), 0u);
  uint32_t count = 0;
  EXPECT_EQ(TListGetNumOfTopics(first, &count), 1) << "the oldest list made way";
}

TEST_F(EngineHandleTest, OpenReportsFilesThatAreNoIndex) {
  uint16_t error = 0;
  uint32_t attributes = 0xFFFFFFFF;
  EXPECT_EQ(IndexOpen((folder_.path() / "missing.sbi").string().c_str(), &attributes, &error), 0u);
  EXPECT_EQ(error, 3);
  EXPECT_EQ(attributes, 0u);
  const std::string text = folder_.write("text.sbi", std::string("Not an index at all, just words."));
  EXPECT_EQ(IndexOpen(text.c_str(), nullptr, &error), 0u);
  EXPECT_EQ(error, 4);
  EXPECT_EQ(IndexOpen(nullptr, nullptr, &error), 0u);
  EXPECT_EQ(error, 2);
  EXPECT_EQ(IndexOpen(folder_.path().string().c_str(), nullptr, &error), 0u) << "a folder";
  EXPECT_NE(error, 0);
}

}  // namespace
}  // namespace tarvek::sbi::test

namespace tarvek::sbi::test {
namespace {

TEST(EngineLimitsTest, APageFullOfHitsReportsWhatSixteenBitsCount) {
  ScratchFolder folder;
  IndexBuilder builder;
  builder.beginPage(1);
  for (uint32_t i = 0; i <= kMaxPosition; ++i) builder.addWord("w");
  const std::string path = folder.write("full.sbi", builder.build());
  uint16_t error = 0;
  const uint32_t index = IndexOpen(path.c_str(), nullptr, &error);
  ASSERT_NE(index, 0u);
  const uint32_t list = IndexQuery(index, "w", 0, 0x120, 0, 0, &error);
  ASSERT_NE(list, 0u);
  uint32_t id = 0, count = 0;
  ASSERT_EQ(TListGetTopic(list, 0, 0, &id, &count), 0);
  EXPECT_EQ(count, 0xFFFFu);
  std::vector<uint32_t> values(count);
  EXPECT_EQ(TListGetTopicOcc(list, 0, 0, count - 1, 0, values.data(), 0, 0), 0);
  EXPECT_EQ(values.back(), (1u << 16) | 0xFFFE);
  IndexClose(index);
}

}  // namespace
}  // namespace tarvek::sbi::test
