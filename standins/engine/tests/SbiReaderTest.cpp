// The .sbi reader against damaged input: every truncation, every flipped
// byte, with and without the checksum in the way.
#include <gtest/gtest.h>

#include "standins/engine/Engine.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

// Decodes every term's postings; the reader must stay inside its buffers
// whatever they hold (AddressSanitizer watches).
void decodeAll(const IndexData& index) {
  std::vector<TopicPositions> postings;
  for (const auto& term : index.terms) decodePostings(index, term, &postings);
}

TEST(SbiReaderTest, RoundTripsWhatTheBuilderWrote) {
  const std::vector<uint8_t> bytes = buildTestIndex();
  IndexData index;
  ASSERT_EQ(readIndex(bytes.data(), bytes.size(), true, &index), kOk);
  EXPECT_EQ(index.name, ansi("Testovací index"));
  EXPECT_EQ(index.topicIds, (std::vector<uint32_t>{1001, 1002, 1003, 1004, 1005, 1006}));
  EXPECT_EQ(index.excluded.size(), kTestExcluded.size());
  EXPECT_EQ(index.fileSize, bytes.size());
  const auto kniha = std::find_if(index.terms.begin(), index.terms.end(), [](auto& t) { return t.text == "prírody" || t.text == ansi("prírody"); });
  ASSERT_NE(kniha, index.terms.end());
  std::vector<TopicPositions> postings;
  ASSERT_TRUE(decodePostings(index, *kniha, &postings));
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
    const EngineError checked = readIndex(bytes.data(), length, true, &index);
    EXPECT_TRUE(checked == kNotAnIndex || checked == kDamagedIndex) << checked;
    // Behind the checksum the structure alone must catch it too.
    const EngineError unchecked = readIndex(bytes.data(), length, false, &index);
    EXPECT_TRUE(unchecked == kNotAnIndex || unchecked == kDamagedIndex) << unchecked;
  }
}

TEST(SbiReaderTest, EveryFlippedByteIsRefusedAndNeverReadBeyond) {
  const std::vector<uint8_t> original = buildTestIndex();
  for (size_t at = 0; at < original.size(); ++at) {
    SCOPED_TRACE(at);
    for (uint8_t mask : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> bytes = original;
      bytes[at] ^= mask;
      IndexData index;
      EXPECT_NE(readIndex(bytes.data(), bytes.size(), true, &index), kOk);
      if (readIndex(bytes.data(), bytes.size(), false, &index) == kOk) decodeAll(index);
    }
  }
}

TEST(SbiReaderTest, OtherFormatVersionsAreRefusedAsSuch) {
  std::vector<uint8_t> bytes = buildTestIndex();
  bytes[8] = 2;
  IndexData index;
  EXPECT_EQ(readIndex(bytes.data(), bytes.size(), true, &index), kUnsupportedVersion);
}

TEST(SbiReaderTest, TheEngineOpensNoDamagedFile) {
  ScratchFolder folder;
  const std::vector<uint8_t> bytes = buildTestIndex();
  for (size_t length : {size_t{0}, size_t{7}, size_t{8}, size_t{47}, bytes.size() / 2, bytes.size() - 1}) {
    SCOPED_TRACE(length);
    const std::string path = folder.write("cut.sbi", std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
    uint16_t error = 0;
    EXPECT_EQ(IndexOpen(path.c_str(), nullptr, &error), 0u);
    EXPECT_TRUE(error == kNotAnIndex || error == kDamagedIndex) << error;
  }
}

TEST(SbiReaderTest, PositionsBeyondSixteenBitsAreNotIndexed) {
  IndexBuilder builder;
  builder.beginPage(7);
  for (uint32_t i = 0; i <= kMaxPosition + 2; ++i) builder.addWord(i == kMaxPosition ? "last" : "w");
  EXPECT_EQ(builder.droppedWordCount(), 2u);
  const std::vector<uint8_t> bytes = builder.build();
  IndexData index;
  ASSERT_EQ(readIndex(bytes.data(), bytes.size(), true, &index), kOk);
  std::vector<TopicPositions> postings;
  ASSERT_TRUE(decodePostings(index, index.terms[0], &postings));
  EXPECT_EQ(index.terms[0].text, "last");
  EXPECT_EQ(postings[0].positions, (std::vector<uint16_t>{kMaxPosition}));
}

}  // namespace
}  // namespace tarvek::sbi::test
