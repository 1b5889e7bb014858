// The linguistic data file: what the writer puts in, the reader gives back,
// what the reader makes of a damaged file, and how a compound the data does
// not know is split to stand for the forms of its tail.
#include <gtest/gtest.h>

#include <algorithm>

#include "standins/engine/Crc32.h"
#include "standins/engine/LingReader.h"
#include "standins/engine/LingWriter.h"
#include "standins/engine/Linguistics.h"
#include "standins/engine/tests/TestIndex.h"

namespace tarvek::sbi::ling::test {
namespace {

using tarvek::sbi::test::ansi;
using Words = std::vector<std::string>;

std::unique_ptr<LingReader> openBytes(const std::vector<uint8_t>& bytes, uint16_t language = 0) {
  // The reader owns its source; the bytes outlive it in each test.
  return LingReader::open(std::make_unique<MemoryPostings>(bytes.data(), bytes.size()), bytes.size(), language);
}

LingSource slovak() {
  LingSource source;
  source.lemmas[ansi("byť")] = {ansi("som"), ansi("si"), ansi("je")};
  source.lemmas["byt"] = {"bytu", "byty"};
  source.lemmas[ansi("brať")] = {"beriem", "brat"};  // also a form of another lemma
  source.lemmas["brat"] = {"bratia", "brata"};
  source.synonyms[ansi("byť")] = {ansi("existovať"), ansi("žiť")};
  return source;
}

Words lemmaTexts(LingReader& reader, const std::vector<uint32_t>& ordinals) {
  Words out;
  std::string text;
  Words forms;
  for (uint32_t o : ordinals) {
    EXPECT_TRUE(reader.lemma(o, &text, &forms));
    out.push_back(text);
  }
  return out;
}

TEST(LingReaderTest, GivesBackTheLemmasFormsAndSynonymsWritten) {
  const std::vector<uint8_t> bytes = buildLingData(0, slovak());
  auto reader = openBytes(bytes);
  ASSERT_TRUE(reader);
  EXPECT_TRUE(reader->hasLemmas());
  EXPECT_TRUE(reader->hasSynonyms());
  std::vector<uint32_t> ordinals;
  ASSERT_TRUE(reader->lemmasOf("brat", false, &ordinals));
  EXPECT_EQ(lemmaTexts(*reader, ordinals), (Words{"brat", ansi("brať")}));
  ASSERT_TRUE(reader->lemmasOf("som", false, &ordinals));
  ASSERT_EQ(ordinals.size(), 1u);
  std::string text;
  Words forms;
  ASSERT_TRUE(reader->lemma(ordinals[0], &text, &forms));
  EXPECT_EQ(text, ansi("byť"));
  EXPECT_EQ(forms, (Words{"je", "si", "som"}));
  ASSERT_TRUE(reader->lemmasOf("bytom", false, &ordinals));
  EXPECT_TRUE(ordinals.empty());
  Words synonyms;
  ASSERT_TRUE(reader->synonymsOf(ansi("byť"), &synonyms));
  EXPECT_EQ(synonyms, (Words{ansi("existovať"), ansi("žiť")}));
  ASSERT_TRUE(reader->synonymsOf("byt", &synonyms));
  EXPECT_TRUE(synonyms.empty());
  EXPECT_FALSE(openBytes(bytes, 1)) << "data of another language";
}

TEST(LingReaderTest, WithoutDiacriticsEverySpellingOfTheKeyCounts) {
  const std::vector<uint8_t> bytes = buildLingData(0, slovak());
  auto reader = openBytes(bytes);
  ASSERT_TRUE(reader);
  std::vector<uint32_t> ordinals;
  ASSERT_TRUE(reader->lemmasOf("byt", true, &ordinals));
  EXPECT_EQ(lemmaTexts(*reader, ordinals), (Words{"byt", ansi("byť")}));
  ASSERT_TRUE(reader->lemmasOf(ansi("byť"), true, &ordinals));
  EXPECT_EQ(ordinals.size(), 2u);
  ASSERT_TRUE(reader->lemmasOf(ansi("byť"), false, &ordinals));
  EXPECT_EQ(lemmaTexts(*reader, ordinals), (Words{ansi("byť")}));
}

TEST(LingReaderTest, FindsEveryWordAcrossManyBlocks) {
  // Five forms a lemma, two of them spellings of one key ("w1102á",
  // "w1102ä"): some of those pairs straddle a block boundary.
  LingSource source;
  for (int i = 0; i < 700; ++i) {
    const std::string lemma = "w" + std::to_string(1000 + i);
    source.lemmas[lemma] = {lemma + "x", lemma + "\xE1", lemma + "\xE4", lemma + "y"};
  }
  const std::vector<uint8_t> bytes = buildLingData(0, source);
  auto reader = openBytes(bytes);
  ASSERT_TRUE(reader);
  std::vector<uint32_t> ordinals;
  for (int i = 0; i < 700; ++i) {
    const std::string lemma = "w" + std::to_string(1000 + i);
    ASSERT_TRUE(reader->lemmasOf(lemma + "y", false, &ordinals));
    ASSERT_EQ(ordinals, (std::vector<uint32_t>{static_cast<uint32_t>(i)})) << lemma;
    ASSERT_TRUE(reader->lemmasOf(lemma + "a", true, &ordinals));
    ASSERT_EQ(ordinals, (std::vector<uint32_t>{static_cast<uint32_t>(i)})) << lemma;
  }
}

// More blocks than the reader keeps: a block read again after its cache
// turned over is decoded into buffers an older block lent it.
TEST(LingReaderTest, ABlockReadAgainAfterTheCacheTurnedOverAnswersAsBefore) {
  LingSource source;
  const auto lemmaText = [](int i) { return "w" + std::to_string(10000 + i); };
  for (int i = 0; i < 3000; ++i) source.lemmas[lemmaText(i)] = {lemmaText(i) + "x", lemmaText(i) + "y"};
  const std::vector<uint8_t> bytes = buildLingData(0, source);
  auto reader = openBytes(bytes);
  ASSERT_TRUE(reader);
  std::vector<uint32_t> ordinals;
  std::string text;
  Words forms;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 3000; i += 7) {
      const std::string lemma = lemmaText(i);
      ASSERT_TRUE(reader->lemmasOf(lemma + "y", false, &ordinals));
      ASSERT_EQ(ordinals, (std::vector<uint32_t>{static_cast<uint32_t>(i)})) << lemma << " pass " << pass;
      ASSERT_TRUE(reader->lemma(ordinals[0], &text, &forms));
      ASSERT_EQ(text, lemma) << "pass " << pass;
      ASSERT_EQ(forms, (Words{lemma + "x", lemma + "y"})) << "pass " << pass;
    }
  }
}

// Asks for every word the data knows; false when a lookup meets damage.
bool readsWholly(LingReader& reader) {
  std::vector<uint32_t> ordinals;
  Words words;
  std::string text;
  for (const char* w : {"brat", "som", "byt", "bytu", "beriem", "nie"})
    for (bool fold : {false, true})
      if (!reader.lemmasOf(ansi(w), fold, &ordinals)) return false;
  for (uint32_t o = 0; o < 4; ++o)
    if (!reader.lemma(o, &text, &words)) return false;
  return reader.synonymsOf(ansi("byť"), &words);
}

TEST(LingReaderTest, EveryTruncationAndEveryFlippedByteIsRefused) {
  const std::vector<uint8_t> bytes = buildLingData(0, slovak());
  for (size_t size = 0; size < bytes.size(); ++size) {
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_FALSE(openBytes(cut)) << "cut to " << size;
  }
  for (size_t at = 0; at < bytes.size(); ++at) {
    std::vector<uint8_t> flipped = bytes;
    flipped[at] ^= 0x01;
    auto reader = openBytes(flipped);
    EXPECT_TRUE(!reader || !readsWholly(*reader)) << "byte " << at << " flipped went unnoticed";
  }
}

// A map with no blocks claims 2^32 - 1 entries, the header's checksum made
// good: counted in 32 bits, (entries + 127) / 128 wraps round to the map's
// zero blocks, and a reader would take four billion entries from nothing.
TEST(LingReaderTest, AnEntryCountNearTwoToThe32IsNotWrappedToNoBlocks) {
  LingSource source = slovak();
  source.synonyms.clear();  // the third map: no entries, no blocks
  std::vector<uint8_t> bytes = buildLingData(0, source);
  ASSERT_TRUE(openBytes(bytes));
  const size_t synonymEntries = 16 + 2 * 24;
  ASSERT_EQ(bytes[synonymEntries] | bytes[synonymEntries + 4], 0) << "the synonym map is empty";
  for (int i = 0; i < 4; ++i) bytes[synonymEntries + i] = 0xFF;
  const uint32_t crc = crc32(bytes.data(), 124);
  for (int i = 0; i < 4; ++i) bytes[124 + i] = static_cast<uint8_t>(crc >> (8 * i));
  EXPECT_FALSE(openBytes(bytes));
}


// Slovak data as the earlier writer stored it, blocks raw and no dictionaries
// (byť: som, si, je; byt: bytu, byty; byť's synonyms existovať, žiť). Indexes
// built then hold their lemma section so.
const std::vector<uint8_t> kRawBlocksFile = {
    0x54, 0x56, 0x4b, 0x4c, 0x49, 0x4e, 0x47, 0x0a, 0x01, 0x00, 0x00, 0x00, 0xbc, 0x00, 0x00, 0x00,
    0x07, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,
    0xbc, 0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x94, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0xec, 0x00, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00,
    0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xa8, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00,
    0x0a, 0x01, 0x00, 0x00, 0x15, 0x00, 0x00, 0x00, 0x1f, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x73, 0x59, 0x85, 0xe6,
    0x03, 0x62, 0x79, 0x74, 0x00, 0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0xda, 0x34, 0x74, 0x6c,
    0x8f, 0x87, 0xae, 0xf1, 0x03, 0x62, 0x79, 0x74, 0x00, 0x00, 0x00, 0x00, 0x1e, 0x00, 0x00, 0x00,
    0xcf, 0x50, 0xb1, 0xaa, 0x34, 0x77, 0xc1, 0xf1, 0x03, 0x62, 0x79, 0x9d, 0x00, 0x00, 0x00, 0x00,
    0x15, 0x00, 0x00, 0x00, 0xa6, 0xb7, 0x61, 0xee, 0xf9, 0xa0, 0xad, 0x9f, 0x00, 0x03, 0x62, 0x79,
    0x74, 0x02, 0x01, 0x00, 0x02, 0x01, 0x9d, 0x02, 0x01, 0x02, 0x02, 0x02, 0x74, 0x75, 0x02, 0x01,
    0x01, 0x03, 0x01, 0x79, 0x02, 0x01, 0x00, 0x00, 0x02, 0x6a, 0x65, 0x02, 0x01, 0x02, 0x00, 0x02,
    0x73, 0x69, 0x02, 0x01, 0x00, 0x01, 0x02, 0x6f, 0x6d, 0x02, 0x01, 0x00, 0x00, 0x03, 0x62, 0x79,
    0x74, 0x07, 0x02, 0x03, 0x01, 0x75, 0x03, 0x01, 0x79, 0x02, 0x01, 0x9d, 0x0d, 0x03, 0x00, 0x02,
    0x6a, 0x65, 0x00, 0x02, 0x73, 0x69, 0x01, 0x02, 0x6f, 0x6d, 0x00, 0x03, 0x62, 0x79, 0x9d, 0x0f,
    0x02, 0x09, 0x65, 0x78, 0x69, 0x73, 0x74, 0x6f, 0x76, 0x61, 0x9d, 0x03, 0x9e, 0x69, 0x9d};

TEST(LingReaderTest, AFileOfRawBlocksReadsAsBefore) {
  auto reader = openBytes(kRawBlocksFile);
  ASSERT_TRUE(reader);
  std::vector<uint32_t> ordinals;
  ASSERT_TRUE(reader->lemmasOf("som", false, &ordinals));
  std::string text;
  Words forms;
  ASSERT_EQ(ordinals.size(), 1u);
  ASSERT_TRUE(reader->lemma(ordinals[0], &text, &forms));
  EXPECT_EQ(text, ansi("byť"));
  EXPECT_EQ(forms, (Words{"je", "si", "som"}));
  ASSERT_TRUE(reader->lemmasOf("byt", true, &ordinals));
  EXPECT_EQ(lemmaTexts(*reader, ordinals), (Words{"byt", ansi("byť")}));
  Words synonyms;
  ASSERT_TRUE(reader->synonymsOf(ansi("byť"), &synonyms));
  EXPECT_EQ(synonyms, (Words{ansi("existovať"), ansi("žiť")}));
}

// Version 2, blocks deflated but each synonym its text alone (byť: som, si,
// je; byt: bytu, byty; žiť: žijem, žije; byť's synonyms existovať, žiť). A
// word expands from it as from a file of today's, the synonyms' lemmas found
// through the forms map.
const std::vector<uint8_t> kSynonymTextsFile = {
    0x54, 0x56, 0x4b, 0x4c, 0x49, 0x4e, 0x47, 0x0a, 0x02, 0x00, 0x00, 0x00, 0xd4, 0x00, 0x00, 0x00,
    0x0a, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00,
    0xd4, 0x00, 0x00, 0x00, 0x38, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
    0x9c, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x0c, 0x01, 0x00, 0x00, 0x2d, 0x00, 0x00, 0x00,
    0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0xb8, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00,
    0x39, 0x01, 0x00, 0x00, 0x17, 0x00, 0x00, 0x00, 0x50, 0x01, 0x00, 0x00, 0x80, 0x00, 0x10, 0x00,
    0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x49, 0x58, 0xc9, 0x08,
    0x00, 0x00, 0x00, 0x00, 0x03, 0x62, 0x79, 0x74, 0x00, 0x00, 0x00, 0x00, 0x38, 0x00, 0x00, 0x00,
    0xa3, 0xf2, 0xfa, 0x43, 0x45, 0x00, 0x00, 0x00, 0xb2, 0x45, 0x11, 0xf7, 0x00, 0x00, 0x00, 0x00,
    0x03, 0x62, 0x79, 0x74, 0x00, 0x00, 0x00, 0x00, 0x2d, 0x00, 0x00, 0x00, 0x4d, 0x41, 0x5c, 0x56,
    0x2c, 0x00, 0x00, 0x00, 0xb8, 0xef, 0x06, 0xc5, 0x00, 0x00, 0x00, 0x00, 0x03, 0x62, 0x79, 0x9d,
    0x00, 0x00, 0x00, 0x00, 0x17, 0x00, 0x00, 0x00, 0x7a, 0x6a, 0x3e, 0xaa, 0x15, 0x00, 0x00, 0x00,
    0xc2, 0xba, 0xae, 0x94, 0x63, 0x60, 0x4e, 0xaa, 0x2c, 0x61, 0x62, 0x64, 0x60, 0x62, 0x9c, 0xcb,
    0xc4, 0xc8, 0xc4, 0xc4, 0x54, 0x52, 0xca, 0xc4, 0xc8, 0xc8, 0xcc, 0x58, 0x09, 0x14, 0x62, 0x60,
    0xca, 0x4a, 0x05, 0x8a, 0x31, 0x30, 0x15, 0x67, 0x02, 0x79, 0x8c, 0x4c, 0xf9, 0xb9, 0x20, 0x41,
    0x96, 0x79, 0x99, 0x60, 0x61, 0x16, 0xc6, 0x5c, 0x98, 0x36, 0x06, 0x00, 0x63, 0x60, 0x4e, 0xaa,
    0x2c, 0x61, 0x67, 0x62, 0x66, 0x2c, 0x65, 0x66, 0xac, 0x64, 0x62, 0x9c, 0xcb, 0xcb, 0xcc, 0xc0,
    0x94, 0x95, 0xca, 0xc0, 0x54, 0x9c, 0xc9, 0xc8, 0x94, 0x9f, 0xcb, 0xc0, 0x3c, 0x2f, 0x73, 0x2e,
    0x07, 0x13, 0x13, 0x50, 0x88, 0x85, 0x31, 0x17, 0x00, 0x63, 0x60, 0x4e, 0xaa, 0x9c, 0xcb, 0xcf,
    0xc4, 0x99, 0x5a, 0x91, 0x59, 0x5c, 0x92, 0x5f, 0x96, 0x38, 0x97, 0x79, 0x5e, 0xe6, 0x5c, 0x00};

TEST(LingReaderTest, AFileWhoseSynonymsAreTextsAloneExpandsAsToday) {
  LingSource source;
  source.lemmas[ansi("byť")] = {ansi("som"), ansi("si"), ansi("je")};
  source.lemmas["byt"] = {"bytu", "byty"};
  source.lemmas[ansi("žiť")] = {ansi("žijem"), ansi("žije")};
  source.synonyms[ansi("byť")] = {ansi("existovať"), ansi("žiť")};
  const std::vector<uint8_t> today = buildLingData(0, source);
  auto current = openBytes(today), earlier = openBytes(kSynonymTextsFile);
  ASSERT_TRUE(current && earlier);
  EXPECT_TRUE(current->synonymsKnowTheirLemmas());
  EXPECT_FALSE(earlier->synonymsKnowTheirLemmas());
  Words expected, words;
  ASSERT_TRUE(expandWord(*current, "je", {true, true, false}, &expected));
  ASSERT_TRUE(expandWord(*earlier, "je", {true, true, false}, &words));
  EXPECT_EQ(words, expected);
  EXPECT_NE(std::find(words.begin(), words.end(), ansi("žijem")), words.end()) << "a synonym's forms";
}

// The thesaurus is asked by the word's lemmas and by the word itself, for
// the words it knows that the dictionary does not.
TEST(LingReaderTest, TheThesaurusIsAskedByTheLemmasAndByTheTypedWord) {
  LingSource source = slovak();
  source.synonyms["auto"] = {"voz"};
  const std::vector<uint8_t> bytes = buildLingData(0, source);
  auto reader = openBytes(bytes);
  ASSERT_TRUE(reader);
  Words words;
  ASSERT_TRUE(expandWord(*reader, "je", {false, true, false}, &words));
  EXPECT_EQ(words, (Words{"je", ansi("existovať"), ansi("žiť")}));
  ASSERT_TRUE(expandWord(*reader, "auto", {true, true, false}, &words));
  EXPECT_EQ(words, (Words{"auto", "voz"}));
}

// The lemmas a synonym is a form of come with it, as lemmasOf gives them:
// brat is a form of two lemmas, existovať of none.
TEST(LingReaderTest, ASynonymComesWithTheLemmasItIsAFormOf) {
  LingSource source = slovak();
  source.synonyms["bytu"] = {"brat", ansi("existovať"), "beriem"};
  const std::vector<uint8_t> bytes = buildLingData(0, source);
  auto reader = openBytes(bytes);
  ASSERT_TRUE(reader);
  Words synonyms;
  std::vector<std::vector<uint32_t>> lemmas;
  ASSERT_TRUE(reader->synonymsOf("bytu", &synonyms, &lemmas));
  ASSERT_EQ(synonyms, (Words{"beriem", "brat", ansi("existovať")}));
  ASSERT_EQ(lemmas.size(), 3u);
  EXPECT_EQ(lemmaTexts(*reader, lemmas[0]), (Words{ansi("brať")}));
  EXPECT_EQ(lemmaTexts(*reader, lemmas[1]), (Words{"brat", ansi("brať")}));
  EXPECT_TRUE(lemmas[2].empty());
}

// The forms map's first block reference, its checksum made good after each
// change: a block must inflate to exactly the size its index gives.
TEST(LingReaderTest, ABlockThatInflatesToAnotherSizeThanItsIndexGivesIsRefused) {
  const std::vector<uint8_t> bytes = buildLingData(0, slovak());
  const uint32_t indexAt = 16 + 8, indexSize = bytes[16 + 12] | bytes[16 + 13] << 8;
  ASSERT_EQ(bytes[indexAt] | bytes[indexAt + 1] << 8, 128) << "the forms map's index follows the header";
  const uint32_t dictionarySize = bytes[128] | bytes[129] << 8;
  const uint32_t ref = 128 + 4 + dictionarySize, decodedSizeAt = ref + 1 + bytes[ref] + 12;
  ASSERT_TRUE(openBytes(bytes));
  for (int change : {-1, +1}) {
    std::vector<uint8_t> changed = bytes;
    changed[decodedSizeAt] = static_cast<uint8_t>(changed[decodedSizeAt] + change);
    const uint32_t crc = crc32(changed.data() + 128, indexSize);
    for (int i = 0; i < 4; ++i) changed[128 + indexSize + i] = static_cast<uint8_t>(crc >> (8 * i));
    auto reader = openBytes(changed);
    ASSERT_TRUE(reader) << "the head holds";
    std::vector<uint32_t> ordinals;
    EXPECT_FALSE(reader->lemmasOf("som", false, &ordinals)) << "inflated size changed by " << change;
  }
}

// Forms as a Slavic language makes them by the hundred thousand: each lemma
// takes a dozen of some two hundred endings, so a block of 128 forms alone
// meets most endings once, and only the map's dictionary holds them all.
TEST(LingReaderTest, BlocksShareTheirEndingsThroughTheMapsDictionary) {
  std::vector<std::string> endings;
  for (const char* a : {"ov", "ej", "ach", "ami", "ovi", "esk", "ick", "ych", "om", "eni"})
    for (const char* b : {"a", "e", "y", "u", "ou", "ej", "ho", "mu", "ch", "mi", "m", "ia", "iu", "ie", "ym", "ou", "ach", "ami", "ov", "i"})
      endings.push_back(std::string(a) + b);
  LingSource source;
  uint32_t random = 12345;
  const auto next = [&random] { return random = random * 1103515245u + 12345u, random >> 8; };
  for (int i = 0; i < 6000; ++i) {
    const std::string stem = "s" + std::to_string(next() % 1000000) + "k";
    for (int e = 0; e < 12; ++e) source.lemmas[stem].insert(stem + endings[next() % endings.size()]);
  }
  const std::vector<uint8_t> bytes = buildLingData(0, source);
  ASSERT_TRUE(openBytes(bytes));
  // 355 KB with the dictionaries, 429 KB without.
  EXPECT_LT(bytes.size(), 390000u);
}


constexpr uint16_t kHungarian = 5;

// Tails that end one another (táron, áron), a form that is also a compound
// of two known words (eszközök: esz + közök), and tails of three letters
// (óra) and two (ár).
LingSource hungarian() {
  LingSource source;
  source.lemmas[ansi("tár")] = {ansi("táron"), ansi("tárat"), ansi("tárban")};
  source.lemmas[ansi("ár")] = {ansi("áron"), ansi("árak")};
  source.lemmas[ansi("óra")] = {ansi("órák")};
  source.lemmas[ansi("eszköz")] = {ansi("eszközök")};
  source.lemmas[ansi("köz")] = {ansi("közök"), ansi("közön")};
  return source;
}

Words expanded(LingReader& data, const char* word, bool ignoreDiacritics = false, Words* lemmas = nullptr) {
  Words words;
  ExpansionKeys keys;
  EXPECT_TRUE(expandWord(data, ansi(word), {true, false, ignoreDiacritics}, &words, &keys));
  if (lemmas) *lemmas = keys.lemmas;
  return words;
}

Words ansiWords(std::initializer_list<const char*> utf8) {
  Words out;
  for (const char* w : utf8) out.push_back(ansi(w));
  return out;
}

TEST(CompoundSplitTest, AnUnknownCompoundStandsForItsLongestKnownTailBehindItsHead) {
  const std::vector<uint8_t> bytes = buildLingData(kHungarian, hungarian());
  auto data = openBytes(bytes, kHungarian);
  ASSERT_TRUE(data);
  Words lemmas;
  EXPECT_EQ(expanded(*data, "eszköztáron", false, &lemmas),
            ansiWords({"eszköztáron", "eszköztár", "eszköztárat", "eszköztárban"}))
      << "eszköz|táron, not eszközt|áron";
  EXPECT_EQ(lemmas, ansiWords({"eszköztár"})) << "for the index's lemmas";
  EXPECT_EQ(expanded(*data, "eszkoztaron", true, &lemmas),
            ansiWords({"eszkoztaron", "eszkoztár", "eszkoztárat", "eszkoztárban", "eszkoztáron"}))
      << "the tail found by its diacritics-free key, the head as typed";
  EXPECT_EQ(lemmas, ansiWords({"eszkoztár"}));
  EXPECT_EQ(expanded(*data, "eszkoztaron"), ansiWords({"eszkoztaron"})) << "with diacritics no tail matches";
  EXPECT_EQ(expanded(*data, "zsebóra"), ansiWords({"zsebóra", "zsebórák"})) << "a tail of three letters";
  EXPECT_EQ(expanded(*data, "vízóra"), ansiWords({"vízóra", "vízórák"})) << "a head of three letters";
}

TEST(CompoundSplitTest, NoSplitForAKnownWordAShortPartOrAnotherLanguage) {
  const std::vector<uint8_t> bytes = buildLingData(kHungarian, hungarian());
  auto data = openBytes(bytes, kHungarian);
  ASSERT_TRUE(data);
  EXPECT_EQ(expanded(*data, "eszközök"), ansiWords({"eszközök", "eszköz"})) << "known; esz|közök would split";
  EXPECT_EQ(expanded(*data, "zsebár"), ansiWords({"zsebár"})) << "a tail of two letters";
  EXPECT_EQ(expanded(*data, "főóra"), ansiWords({"főóra"})) << "a head of two letters";
  Words words;
  ASSERT_TRUE(expandWord(*data, ansi("eszköztáron"), {false, true, false}, &words));
  EXPECT_EQ(words, ansiWords({"eszköztáron"})) << "without the lemma option";
  for (uint16_t language = 0; language < 9; ++language) {
    const std::vector<uint8_t> other = buildLingData(language, hungarian());
    auto otherData = openBytes(other, language);
    ASSERT_TRUE(otherData);
    EXPECT_EQ(expanded(*otherData, "eszköztáron").size(), language == 4 || language == 5 ? 4u : 1u)
        << "language " << language;
  }
}

TEST(CompoundSplitTest, WhatWouldOutgrowAWordIsLeftOut) {
  const std::vector<uint8_t> bytes = buildLingData(kHungarian, hungarian());
  auto data = openBytes(bytes, kHungarian);
  ASSERT_TRUE(data);
  const std::string head(250, 'x');
  Words words;
  ASSERT_TRUE(expandWord(*data, head + ansi("táron"), {true, false, false}, &words));
  EXPECT_EQ(words, (Words{head + ansi("táron"), head + ansi("tár"), head + ansi("tárat")})) << "tárban: 256 bytes";
}

}  // namespace
}  // namespace tarvek::sbi::ling::test
