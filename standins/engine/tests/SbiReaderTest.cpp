// The .sbi reader against damaged input: every truncation, every flipped
// byte, with and without the checksum in the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/Engine.h"
#include "standins/engine/PostingsCodec.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

// Reads every part of the index read on demand: topic ids, dictionary,
// every term's postings; false if any is refused. The reader must stay
// inside its buffers whatever they hold (AddressSanitizer watches).
bool decodeAll(const IndexData& index, const std::vector<uint8_t>& bytes, bool verify) {
  MemoryPostings source(bytes.data(), bytes.size());
  IndexReader reader(index, source, verify);
  bool all = true;
  uint32_t id = 0;
  for (uint32_t ordinal = 0; ordinal < index.topicCount; ++ordinal) all &= reader.topicId(ordinal, &id);
  const std::vector<Term>* terms = nullptr;
  if (!reader.allTerms(&terms)) return false;
  std::vector<TopicPositions> postings;
  for (const auto& term : *terms) all &= reader.postings(term, &postings);
  return all;
}

std::vector<uint32_t> topicIds(const IndexData& index, const std::vector<uint8_t>& bytes) {
  MemoryPostings source(bytes.data(), bytes.size());
  IndexReader reader(index, source);
  std::vector<uint32_t> ids(index.topicCount);
  for (uint32_t ordinal = 0; ordinal < index.topicCount; ++ordinal) EXPECT_TRUE(reader.topicId(ordinal, &ids[ordinal]));
  return ids;
}

EngineError read(const std::vector<uint8_t>& bytes, size_t length, bool verify, IndexData* index) {
  return readIndex(bytes.data(), length, length, verify, index);
}

TEST(SbiReaderTest, RoundTripsWhatTheBuilderWrote) {
  const std::vector<uint8_t> bytes = buildTestIndex();
  IndexData index;
  ASSERT_EQ(read(bytes, bytes.size(), true, &index), kOk);
  EXPECT_EQ(index.name, ansi("Testovací index"));
  EXPECT_EQ(topicIds(index, bytes), (std::vector<uint32_t>{1001, 1002, 1003, 1004, 1005, 1006}));
  EXPECT_EQ(index.excluded.size(), kTestExcluded.size());
  EXPECT_EQ(index.fileSize, bytes.size());
  MemoryPostings source(bytes.data(), bytes.size());
  IndexReader reader(index, source);
  uint32_t ordinal = 0;
  const Term* prirody = nullptr;
  ASSERT_TRUE(reader.lowerBound(ansi("prírody"), &ordinal));
  ASSERT_TRUE(reader.term(ordinal, &prirody));
  ASSERT_EQ(prirody->text, ansi("prírody"));
  std::vector<TopicPositions> postings;
  ASSERT_TRUE(reader.postings(*prirody, &postings));
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

TEST(SbiReaderTest, EveryFlippedByteIsRefusedAtOpenOrWhenItsPartIsRead) {
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
  IndexData index;
  bytes[8] = 4;
  EXPECT_EQ(read(bytes, bytes.size(), true, &index), kUnsupportedVersion) << "a later version";
  bytes[8] = 0;
  EXPECT_EQ(read(bytes, bytes.size(), true, &index), kUnsupportedVersion);
  // An index of the first layout: its own code, whatever follows the version.
  bytes[8] = 1;
  EXPECT_EQ(read(bytes, bytes.size(), true, &index), kOldFormatVersion);
  EXPECT_EQ(read(bytes, 10, true, &index), kOldFormatVersion);
}

TEST(SbiReaderTest, TheEngineRefusesAnIndexOfTheFirstLayout) {
  // The head of a version 1 index as its writer made it: header, name,
  // indexer number, one topic, no word.
  ByteWriter old;
  old.raw(std::string_view(kMagic, sizeof kMagic));
  old.u16(1);  // version
  old.u16(0);  // language
  // attributes, created, updated, topics, words, excluded, postings, occurrences, head size
  for (uint32_t field : {0u, 0u, 0u, 1u, 0u, 0u, 0u, 0u, 54u}) old.u32(field);
  old.shortText("");
  old.shortText("");
  old.u32(7);  // the topic id
  old.u32(crc32(old.bytes().data(), old.size()));
  ScratchFolder folder;
  const std::string path = folder.write("old.sbi", old.bytes());
  uint16_t error = 0;
  EXPECT_EQ(IndexOpen(path.c_str(), nullptr, &error), 0u);
  EXPECT_EQ(error, kOldFormatVersion);
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
  MemoryPostings source(bytes.data(), bytes.size());
  IndexReader reader(parsed, source);
  const Term* last = nullptr;
  ASSERT_TRUE(reader.term(parsed.termCount - 1, &last));
  const std::string lastWord = last->text;
  bytes[parsed.postingsStart + last->postingsOffset + last->postingsSize - 1] ^= 0x40;
  const std::string path = folder.write("flipped.sbi", bytes);
  uint16_t error = 0;
  const uint32_t index = IndexOpen(path.c_str(), nullptr, &error);
  ASSERT_NE(index, 0u) << "the head is intact";
  EXPECT_NE(IndexQuery(index, "kniha", 0, 0x120, 0, 0, &error), 0u);
  EXPECT_EQ(IndexQuery(index, lastWord.c_str(), 0, 0x120, 0, 0, &error), 0u);
  EXPECT_EQ(error, kDamagedIndex);
  IndexClose(index);
}

// One word's postings as bytes; numbers below 128 are one varint byte each.
// The index has four pages (topic ordinals 0 to 3).
TEST(SbiReaderTest, MalformedPostingListsAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    bool valid;
  };
  const Case cases[] = {
      {"pages 0 and 3, positions 5 and 2, 4", {2, 0, 1, 5, 3, 2, 2, 2}, true},
      {"no pages", {0}, false},
      {"a page number equal to the page count", {1, 4, 1, 5}, false},
      {"a page beyond the count by its differences", {2, 2, 1, 5, 2, 1, 5}, false},
      {"a repeated page", {2, 1, 1, 5, 0, 1, 6}, false},
      {"a page without positions", {1, 0, 0}, false},
      {"a repeated position", {1, 0, 2, 5, 0}, false},
      {"a position beyond 16 bits", {1, 0, 1, 0x80, 0x80, 0x04}, false},
      {"positions adding up beyond 16 bits", {1, 0, 2, 0xFF, 0xFF, 0x03, 1}, false},
      {"bytes left over", {1, 0, 1, 5, 9}, false},
      {"cut in its second page", {2, 0, 1, 5, 3}, false},
      {"more pages announced than bytes", {100, 0, 1, 5}, false},
      {"an unfinished varint", {1, 0, 1, 0x85}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Exactly as many bytes as the case holds, so a read past them shows.
    const std::unique_ptr<uint8_t[]> bytes(new uint8_t[c.bytes.size()]);
    std::copy(c.bytes.begin(), c.bytes.end(), bytes.get());
    PostingList list;
    EXPECT_EQ(decodePostingList(bytes.get(), c.bytes.size(), 4, &list), c.valid);
    if (c.valid) {
      EXPECT_EQ(list.ordinals, (std::vector<uint32_t>{0, 3}));
      EXPECT_EQ(list.positions, (std::vector<uint16_t>{5, 2, 4}));
    }
  }
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
  IndexReader reader(index, source);
  const Term* term = nullptr;
  ASSERT_TRUE(reader.term(0, &term));
  std::vector<TopicPositions> postings;
  ASSERT_TRUE(reader.postings(*term, &postings));
  EXPECT_EQ(term->text, "last");
  EXPECT_EQ(postings[0].positions, (std::vector<uint16_t>{kMaxPosition}));
}

// Counts what the reader asks of the file.
class CountingSource final : public PostingsSource {
 public:
  explicit CountingSource(const std::vector<uint8_t>& bytes) : memory_(bytes.data(), bytes.size()) {}
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override {
    bytesRead += size;
    return memory_.read(offset, size, out);
  }
  uint64_t bytesRead = 0;

 private:
  MemoryPostings memory_;
};

std::string wordNumber(uint32_t n) { return "w" + std::to_string(100000 + n); }

TEST(SbiReaderTest, ALargeIndexIsSearchedThroughAFewBlocksAndChunks) {
  // 3,000 words (24 dictionary blocks) over 9,000 pages (3 chunks of topic ids).
  IndexBuilder builder;
  for (uint32_t page = 0; page < 9000; ++page) {
    builder.beginPage(50000 + page);
    builder.addWord(wordNumber(page % 3000));
    builder.addWord("spolu");
  }
  const std::vector<uint8_t> bytes = builder.build();
  IndexData index;
  ASSERT_EQ(read(bytes, bytes.size(), true, &index), kOk);
  ASSERT_EQ(index.termCount, 3001u);
  ASSERT_EQ(index.blockCount, 24u);
  MemoryPostings source(bytes.data(), bytes.size());
  IndexReader reader(index, source);
  for (uint32_t n : {0u, 127u, 128u, 129u, 1500u, 2999u}) {
    SCOPED_TRACE(n);
    uint32_t ordinal = 0;
    const Term* term = nullptr;
    ASSERT_TRUE(reader.lowerBound(wordNumber(n), &ordinal));
    ASSERT_TRUE(reader.term(ordinal, &term));
    EXPECT_EQ(term->text, wordNumber(n));
    std::vector<TopicPositions> postings;
    ASSERT_TRUE(reader.postings(*term, &postings));
    ASSERT_EQ(postings.size(), 3u);
    uint32_t id = 0;
    ASSERT_TRUE(reader.topicId(postings[2].ordinal, &id));
    EXPECT_EQ(id, 50000 + 6000 + n);
  }
  uint32_t ordinal = 0;
  ASSERT_TRUE(reader.lowerBound("spolu", &ordinal));
  EXPECT_EQ(ordinal, 0u);
  ASSERT_TRUE(reader.lowerBound("w0", &ordinal));
  EXPECT_EQ(ordinal, 1u);
  ASSERT_TRUE(reader.lowerBound("zzz", &ordinal));
  EXPECT_EQ(ordinal, index.termCount);

  // A word in a fresh reader: bisection reads log2(24) + 1 blocks and one
  // chunk of the block index, not the dictionary.
  CountingSource fresh(bytes);
  IndexReader once(index, fresh);
  ASSERT_TRUE(once.lowerBound(wordNumber(2222), &ordinal));
  EXPECT_LT(fresh.bytesRead, 6 * index.dictionarySize / index.blockCount + 24 * 8 + 4);
  EXPECT_LT(fresh.bytesRead, index.dictionarySize / 3);

  // A prefix spanning many blocks, and a fuzzy search over the whole dictionary.
  ScratchFolder folder;
  const std::string path = folder.write("large.sbi", bytes);
  uint16_t error = 0;
  const uint32_t handle = IndexOpen(path.c_str(), nullptr, &error);
  ASSERT_NE(handle, 0u);
  uint32_t count = 0;
  const uint32_t prefix = IndexQuery(handle, "w101*", 0, 0x120, 0, 0, &error);
  ASSERT_NE(prefix, 0u);
  ASSERT_EQ(TListGetNumOfTopics(prefix, &count), 0);
  EXPECT_EQ(count, 3000u) << "w101000 to w101999, three pages each";
  const uint32_t fuzzy = IndexQuery(handle, "w102999", 0, 0x6120, 0, 0, &error);
  ASSERT_NE(fuzzy, 0u);
  ASSERT_EQ(TListGetNumOfTopics(fuzzy, &count), 0);
  EXPECT_GT(count, 3u);
  const uint32_t none = IndexQuery(handle, "nikde", 0, 0x120, 0, 0, &error);
  ASSERT_NE(none, 0u);
  ASSERT_EQ(TListGetNumOfTopics(none, &count), 0);
  EXPECT_EQ(count, 0u);
  IndexClose(handle);
}

}  // namespace
}  // namespace tarvek::sbi::test
