// The .sbi reader against damaged input: every truncation, every flipped
// byte, with and without the checksum in the way.
#include <gtest/gtest.h>

#include "standins/engine/Engine.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

// Decodes every term's postings; false if any is refused. The reader must
// stay inside its buffers whatever they hold (AddressSanitizer watches).
bool decodeAll(const IndexData& index, const std::vector<uint8_t>& bytes, bool verify) {
  MemoryPostings source(bytes.data(), bytes.size());
  std::vector<TopicPositions> postings;
  bool all = true;
  for (const auto& term : index.terms) all &= decodePostings(index, term, source, verify, &postings);
  return all;
}

EngineError read(const std::vector<uint8_t>& bytes, size_t length, bool verify, IndexData* index) {
  return readIndex(bytes.data(), length, length, verify, index);
}

TEST(SbiReaderTest, RoundTripsWhatTheBuilderWrote) {
  const std::vector<uint8_t> bytes = buildTestIndex();
  IndexData index;
  ASSERT_EQ(read(bytes, bytes.size(), true, &index), kOk);
  EXPECT_EQ(index.name, ansi("Testovací index"));
  EXPECT_EQ(index.topicIds, (std::vector<uint32_t>{1001, 1002, 1003, 1004, 1005, 1006}));
  EXPECT_EQ(index.excluded.size(), kTestExcluded.size());
  EXPECT_EQ(index.fileSize, bytes.size());
  const auto prirody =
      std::find_if(index.terms.begin(), index.terms.end(), [](auto& t) { return t.text == ansi("prírody"); });
  ASSERT_NE(prirody, index.terms.end());
  MemoryPostings source(bytes.data(), bytes.size());
  std::vector<TopicPositions> postings;
  ASSERT_TRUE(decodePostings(index, *prirody, source, true, &postings));
  ASSERT_EQ(postings.size(), 2u);
  EXPECT_EQ(postings[0].ordinal, 0u);
  EXPECT_EQ(postings[0].positions, (std::vector<uint16_t>{3}));
  EXPECT_EQ(postings[1].ordinal, 1u);
  EXPECT_EQ(postings[1].positions, (std::vector<uint16_t>{1}));
}

TEST(SbiReaderTest, EveryTruncationIsRefused) {
  const std::vector<uint8_t> bytes = buildTestIndex();
  for (size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    IndexData index;
    const EngineError checked = read(bytes, length, true, &index);
    EXPECT_TRUE(checked == kNotAnIndex || checked == kDamagedIndex) << checked;
    // Behind the checksum the structure alone must catch it too.
    const EngineError unchecked = read(bytes, length, false, &index);
    EXPECT_TRUE(unchecked == kNotAnIndex || unchecked == kDamagedIndex) << unchecked;
  }
}

TEST(SbiReaderTest, EveryFlippedByteIsRefusedAtOpenOrWhenItsPostingsAreRead) {
  const std::vector<uint8_t> original = buildTestIndex();
  for (size_t at = 0; at < original.size(); ++at) {
    SCOPED_TRACE(at);
    for (uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> bytes = original;
      bytes[at] ^= mask;
      IndexData index;
      EXPECT_TRUE(read(bytes, bytes.size(), true, &index) != kOk || !decodeAll(index, bytes, true));
      if (read(bytes, bytes.size(), false, &index) == kOk) decodeAll(index, bytes, false);
    }
  }
}

TEST(SbiReaderTest, OtherFormatVersionsAreRefusedAsSuch) {
  std::vector<uint8_t> bytes = buildTestIndex();
  bytes[8] = 2;
  IndexData index;
  EXPECT_EQ(read(bytes, bytes.size(), true, &index), kUnsupportedVersion);
}

TEST(SbiReaderTest, TheEngineOpensNoTruncatedFile) {
  ScratchFolder folder;
  const std::vector<uint8_t> bytes = buildTestIndex();
  for (size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    const std::string path = folder.write("cut.sbi", std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
    uint16_t error = 0;
    EXPECT_EQ(IndexOpen(path.c_str(), nullptr, &error), 0u);
    EXPECT_TRUE(error == kNotAnIndex || error == kDamagedIndex) << error;
  }
}

TEST(SbiReaderTest, DamagedPostingsFailTheQueryThatReadsThem) {
  ScratchFolder folder;
  std::vector<uint8_t> bytes = buildTestIndex();
  IndexData parsed;
  ASSERT_EQ(read(bytes, bytes.size(), true, &parsed), kOk);
  const std::string lastWord = parsed.terms.back().text;
  bytes[bytes.size() - 2] ^= 0x40;  // inside the postings of the last word
  const std::string path = folder.write("flipped.sbi", bytes);
  uint16_t error = 0;
  const uint32_t index = IndexOpen(path.c_str(), nullptr, &error);
  ASSERT_NE(index, 0u) << "the head is intact";
  EXPECT_NE(IndexQuery(index, "kniha", 0, 0x120, 0, 0, &error), 0u);
  EXPECT_EQ(IndexQuery(index, lastWord.c_str(), 0, 0x120, 0, 0, &error), 0u);
  EXPECT_EQ(error, kDamagedIndex);
  IndexClose(index);
}

TEST(SbiReaderTest, PositionsBeyondSixteenBitsAreNotIndexed) {
  IndexBuilder builder;
  builder.beginPage(7);
  for (uint32_t i = 0; i <= kMaxPosition + 2; ++i) builder.addWord(i == kMaxPosition ? "last" : "w");
  EXPECT_EQ(builder.droppedWordCount(), 2u);
  const std::vector<uint8_t> bytes = builder.build();
  IndexData index;
  ASSERT_EQ(read(bytes, bytes.size(), true, &index), kOk);
  MemoryPostings source(bytes.data(), bytes.size());
  std::vector<TopicPositions> postings;
  ASSERT_TRUE(decodePostings(index, index.terms[0], source, true, &postings));
  EXPECT_EQ(index.terms[0].text, "last");
  EXPECT_EQ(postings[0].positions, (std::vector<uint16_t>{kMaxPosition}));
}

}  // namespace
}  // namespace tarvek::sbi::test
