// The index's own lemma section: written and read back, joining a typed form
// to the index words of its lemmas, damaged, and absent from a version 2 index.
#include <gtest/gtest.h>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/Engine.h"
#include "standins/engine/LingWriter.h"
#include "standins/engine/SbiReader.h"
#include "standins/engine/SbiWriter.h"
#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

using Ids = std::vector<uint32_t>;
constexpr uint32_t kAnd = 0x20, kLemmas = 0x0080, kDia = 0x2000;
constexpr uint16_t kHungarian = 5;

// Four pages: three forms of the noun kifejezés, and the verb it derives from.
std::vector<uint8_t> buildHungarianIndex(bool withJoins) {
  IndexBuilder builder;
  builder.setLanguage(kHungarian);
  for (uint32_t id : {1u, 2u, 3u, 4u}) {
    builder.beginPage(id);
    builder.addText(ansi(id == 1 ? "kifejezések" : id == 2 ? "kifejezést" : id == 3 ? "kifejez" : "kifejezés"));
  }
  if (withJoins) builder.setLemmaJoins({{ansi("kifejezés"), {ansi("kifejezések"), ansi("kifejezést"), ansi("kifejezés")}}});
  return builder.build();
}

// The language data knows kifejezés, but not its accusative.
std::vector<uint8_t> buildHungarianData() {
  ling::LingSource source;
  source.lemmas[ansi("kifejezés")] = {ansi("kifejezéséhez"), ansi("kifejezések")};
  return ling::buildLingData(kHungarian, source);
}

uint64_t lemmaSectionStart(const std::vector<uint8_t>& bytes) {
  IndexData index;
  EXPECT_EQ(readIndex(bytes.data(), bytes.size(), bytes.size(), true, &index), kOk);
  return index.lemmasStart;
}

// The same index in the version 2 layout: a header 16 bytes shorter, without
// the lemma section's offset and size.
std::vector<uint8_t> asVersion2(const std::vector<uint8_t>& v3) {
  std::vector<uint8_t> bytes(v3.begin(), v3.begin() + 120);
  bytes.insert(bytes.end(), v3.begin() + 136, v3.end());
  bytes[8] = 2;
  const auto patch = [&](size_t at, uint64_t minus, int size) {
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) v |= uint64_t{bytes[at + i]} << (8 * i);
    if (v != 0) v -= minus;
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  patch(40, 16, 4);
  for (size_t at = 48; at <= 112; at += 8) patch(at, at == 56 || at == 80 || at == 104 ? 0 : 16, 8);
  const uint32_t head = bytes[40] | bytes[41] << 8 | bytes[42] << 16 | uint32_t{bytes[43]} << 24;
  const uint32_t crc = crc32(bytes.data(), head);
  for (int i = 0; i < 4; ++i) bytes[head + i] = static_cast<uint8_t>(crc >> (8 * i));
  return bytes;
}

class IndexLemmasTest : public EngineFixture {
 protected:
  void open(const std::vector<uint8_t>& bytes) {
    IndexClose(index_);
    uint16_t error = 0xFFFF;
    index_ = IndexOpen(folder_.write("hu.sbi", bytes).c_str(), nullptr, &error);
    ASSERT_NE(index_, 0u) << "error " << error;
  }
};

TEST_F(IndexLemmasTest, ATypedFormReachesEveryIndexWordOfItsLemmas) {
  folder_.write("ling_hu.tld", buildHungarianData());
  open(buildHungarianIndex(true));
  EXPECT_EQ(ids("kifejezést", kAnd), (Ids{2}));
  EXPECT_EQ(ids("kifejezést", kAnd | kLemmas), (Ids{1, 2, 4})) << "the data does not know it, the index does";
  EXPECT_EQ(ids("kifejezéséhez", kAnd | kLemmas), (Ids{1, 2, 4})) << "absent from the index: by the data's lemma";
  EXPECT_EQ(ids("kifejezest", kAnd | kLemmas | kDia), (Ids{1, 2, 4}));

  open(buildHungarianIndex(false));
  EXPECT_EQ(ids("kifejezéséhez", kAnd | kLemmas), (Ids{1, 4})) << "the data alone";
}

// The data knows tár and one form of it; the index holds three forms of the
// compound eszköztár and gives them their whole lemma.
TEST_F(IndexLemmasTest, ACompoundTheDataDoesNotKnowReachesTheIndexFormsOfItsLemma) {
  ling::LingSource source;
  source.lemmas[ansi("tár")] = {ansi("táron")};
  folder_.write("ling_hu.tld", ling::buildLingData(kHungarian, source));
  IndexBuilder builder;
  builder.setLanguage(kHungarian);
  for (const char* word : {"eszköztár", "eszköztárat", "eszköztárban"}) {
    builder.beginPage(static_cast<uint32_t>(builder.pageCount()) + 1);
    builder.addText(ansi(word));
  }
  builder.setLemmaJoins({{ansi("eszköztár"), {ansi("eszköztár"), ansi("eszköztárat"), ansi("eszköztárban")}}});
  open(builder.build());
  EXPECT_EQ(ids("eszköztáron", kAnd), Ids{});
  EXPECT_EQ(ids("eszköztáron", kAnd | kLemmas), (Ids{1, 2, 3}));
  EXPECT_EQ(ids("eszkoztaron", kAnd | kLemmas | kDia), (Ids{1, 2, 3})) << "the lemma eszkoztár by its key";
}

TEST_F(IndexLemmasTest, TheSectionAnswersWithoutTheLanguageData) {
  open(buildHungarianIndex(true));
  EXPECT_EQ(ids("kifejezések", kAnd | kLemmas), (Ids{1, 2, 4}));
}

TEST_F(IndexLemmasTest, ADamagedSectionFailsTheLemmatizedQueryWithCode6) {
  for (const bool head : {true, false}) {
    SCOPED_TRACE(head ? "the section's head" : "its last block");
    std::vector<uint8_t> bytes = buildHungarianIndex(true);
    const uint64_t start = lemmaSectionStart(bytes);
    // No source-file table: the section ends the file, its lemmas map's block last.
    bytes[head ? start + 20 : bytes.size() - 2] ^= 0x10;
    open(bytes);
    EXPECT_EQ(ids("kifejezést", kAnd), (Ids{2})) << "opening and plain queries do not read the section";
    EXPECT_EQ(query("kifejezést", kAnd | kLemmas).error, 6);
  }
}

TEST_F(IndexLemmasTest, SectionOffsetsThatDisagreeWithTheLayoutAreRefusedAtOpen) {
  const std::vector<uint8_t> bytes = buildHungarianIndex(true);
  for (const uint64_t shift : {uint64_t{1}, ~uint64_t{0}}) {
    std::vector<uint8_t> moved = bytes;
    const uint64_t start = lemmaSectionStart(bytes) + shift;
    for (int i = 0; i < 8; ++i) moved[120 + i] = static_cast<uint8_t>(start >> (8 * i));
    IndexData index;
    EXPECT_EQ(readIndex(moved.data(), moved.size(), moved.size(), false, &index), kDamagedIndex);
  }
}

TEST_F(IndexLemmasTest, AVersion2IndexStillAnswersWithoutASection) {
  folder_.write("ling_hu.tld", buildHungarianData());
  open(asVersion2(buildHungarianIndex(false)));
  uint32_t version = 0;
  EXPECT_EQ(IndexGetInfo(index_, 13, &version, nullptr), 0);
  EXPECT_EQ(version, 2u);
  EXPECT_EQ(ids("kifejezést", kAnd), (Ids{2}));
  EXPECT_EQ(ids("kifejezéséhez", kAnd | kLemmas), (Ids{1, 4}));
}

}  // namespace
}  // namespace tarvek::sbi::test
