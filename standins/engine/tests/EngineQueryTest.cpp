// Operator modes, linguistic options and the refusal of excluded words,
// through the exported functions over the hand-built test index.
#include <string>

#include "standins/engine/Engine.h"
#include "standins/engine/LingWriter.h"

#include "standins/engine/tests/EngineFixture.h"

namespace tarvek::sbi::test {
namespace {

using Ids = std::vector<uint32_t>;
constexpr uint32_t kOr = 0x10, kAnd = 0x20, kNot = 0x30, kNext = 0x40, kNear = 0x50, kOperators = 0x70;
constexpr uint32_t kLemmas = 0x0080, kSynonyms = 0x1000, kDia = 0x2000, kTypo = 0x4000;

class EngineQueryTest : public EngineFixture {};

TEST_F(EngineQueryTest, PlainModesCombineTheWords) {
  EXPECT_EQ(ids("prírody krajiny", 0), (Ids{1001})) << "no mode bits: AND";
  EXPECT_EQ(ids("prírody krajiny", kAnd), (Ids{1001}));
  EXPECT_EQ(ids("prírody ochrane", kAnd), (Ids{1001}));
  EXPECT_EQ(ids("krajiny stole", kOr), (Ids{1001, 1003}));
  EXPECT_EQ(ids("prírody krajiny", kNot), (Ids{1002})) << "the first word without the others";
  EXPECT_EQ(ids("PRÍRODY", kAnd), (Ids{1001, 1002})) << "case is ignored";
  EXPECT_EQ(ids("nikde", kOr), Ids{});
}

TEST_F(EngineQueryTest, NextIsAPhraseInWhichExcludedWordsKeepTheirPlace) {
  EXPECT_EQ(ids("ochrane prírody", kNext), (Ids{1001}));
  EXPECT_EQ(ids("prírody ochrane", kNext), Ids{});
  EXPECT_EQ(ids("zákon o ochrane", kNext), (Ids{1001}));
  EXPECT_EQ(ids("zákon ochrane", kNext), Ids{}) << "the excluded word stands between them";
  EXPECT_EQ(ids("o ochrane", kNext), (Ids{1001}));
}

TEST_F(EngineQueryTest, NearUsesTheDistanceOfTheLowBitsAndEightForZero) {
  // kniha at 0, pero at 5 on page 1003.
  EXPECT_EQ(ids("kniha pero", kNear | 4), Ids{});
  EXPECT_EQ(ids("kniha pero", kNear | 5), (Ids{1003}));
  EXPECT_EQ(ids("pero kniha", kNear | 5), (Ids{1003})) << "either order";
  EXPECT_EQ(ids("kniha pero", kNear), (Ids{1003})) << "distance 0 means the default 8";
  EXPECT_EQ(ids("kniha sobotu", kNear | 15), Ids{});
}

TEST_F(EngineQueryTest, OperatorSyntax) {
  EXPECT_EQ(ids("\"ochrane prírody\" OR kniha", kOperators), (Ids{1001, 1003}));
  EXPECT_EQ(ids("(kniha OR mäso) NOT ryby", kOperators), (Ids{1003}));
  EXPECT_EQ(ids("kniha AND pero", kOperators), (Ids{1003}));
  EXPECT_EQ(ids("kniha pero", kOperators), (Ids{1003})) << "AND is implied";
  EXPECT_EQ(ids("kniha NEAR/4 pero", kOperators), Ids{});
  EXPECT_EQ(ids("kniha NEAR/5 pero", kOperators), (Ids{1003}));
  EXPECT_EQ(ids("kniha NEAR pero", kOperators | 4), Ids{}) << "bare NEAR takes the option word's distance";
  EXPECT_EQ(ids("kniha NEAR pero", kOperators), (Ids{1003}));
  EXPECT_EQ(ids("prír*", kOperators), (Ids{1001, 1002}));
  EXPECT_EQ(ids("ochran* NOT zákon", kOperators), (Ids{1002}));
  EXPECT_EQ(ids("kniha or pero", kOperators), Ids{}) << "lower-case or is a word";
}

TEST_F(EngineQueryTest, OccurrenceValuesCarryPositionAndWordLength) {
  const QueryOutcome found = query("stole pero", kOr);
  ASSERT_EQ(found.ids, (Ids{1003}));
  EXPECT_EQ(found.occurrences[0], (Ids{(5u << 16) | 3, (4u << 16) | 5}));
}

TEST_F(EngineQueryTest, FuzzyDiaIgnoresDiacriticsUmlautSpellingAndSharpS) {
  EXPECT_EQ(ids("prirody", kAnd), Ids{});
  EXPECT_EQ(ids("prirody", kAnd | kDia), (Ids{1001, 1002}));
  EXPECT_EQ(ids("maso", kAnd | kDia), (Ids{1005}));
  EXPECT_EQ(ids("madchen", kAnd | kDia), (Ids{1004}));
  EXPECT_EQ(ids("maedchen", kAnd | kDia), (Ids{1004}));
  EXPECT_EQ(ids("strasse", kAnd | kDia), (Ids{1004}));
  EXPECT_EQ(ids("obcana", kAnd | kDia), (Ids{1002}));
  EXPECT_EQ(ids("prír*", kOperators | kDia), (Ids{1001, 1002}));
  EXPECT_EQ(ids("prir*", kOperators | kDia), (Ids{1001, 1002}));
}

TEST_F(EngineQueryTest, FuzzyTypoAllowsOneEditInWordsOfFourLettersOrMore) {
  EXPECT_EQ(ids("infromation", kAnd), Ids{});
  EXPECT_EQ(ids("infromation", kAnd | kTypo), (Ids{1006})) << "transposition";
  EXPECT_EQ(ids("informaton", kAnd | kTypo), (Ids{1006})) << "deletion";
  EXPECT_EQ(ids("informattion", kAnd | kTypo), (Ids{1006})) << "insertion";
  EXPECT_EQ(ids("knihx", kAnd | kTypo), (Ids{1003})) << "substitution";
  EXPECT_EQ(ids("ryba", kAnd | kTypo), (Ids{1005})) << "four letters";
  EXPECT_EQ(ids("trh", kAnd | kTypo), Ids{}) << "three letters stay exact";
  EXPECT_EQ(ids("infrmaton", kAnd | kTypo), Ids{}) << "two edits";
  EXPECT_EQ(ids("prirodx", kAnd | kTypo | kDia), (Ids{1001, 1002}));
}

TEST_F(EngineQueryTest, ATypedFormFindsEveryFormOfItsLemmas) {
  EXPECT_EQ(query("knihou", kAnd).ids, Ids{});
  const QueryOutcome lemmas = query("knihou", kAnd | kLemmas);
  ASSERT_EQ(lemmas.ids, (Ids{1003})) << "a form the index does not hold";
  EXPECT_EQ(lemmas.occurrences[0].size(), 2u) << "kniha and knihy";
  EXPECT_EQ(ids("knihou", kAnd | kLemmas | kDia), (Ids{1003}));
  EXPECT_EQ(ids("stola", kAnd | kLemmas), (Ids{1003, 1005})) << "both lemmas of the form";
  EXPECT_EQ(ids("pero", kAnd | kLemmas), (Ids{1003})) << "a word the data does not know, as typed";
  EXPECT_EQ(ids("kniha", kAnd | kLemmas | kTypo), (Ids{1003}));
}

TEST_F(EngineQueryTest, SynonymsComeFromTheThesaurusByLemma) {
  EXPECT_EQ(ids("predpis", kAnd), Ids{});
  EXPECT_EQ(ids("predpis", kAnd | kSynonyms), (Ids{1001}));
  // The thesaurus gives "občan"; the page says "občana", a form of it.
  EXPECT_EQ(ids("obyvateľ", kAnd | kSynonyms), Ids{});
  EXPECT_EQ(ids("obyvateľ", kAnd | kSynonyms | kLemmas), (Ids{1002}));
  EXPECT_EQ(ids("obyvateľa", kAnd | kSynonyms | kLemmas), (Ids{1002})) << "looked up by the lemma of the form";
  EXPECT_EQ(ids("obyvatela", kAnd | kSynonyms | kLemmas | kDia), (Ids{1002}));
  // Without the lemmatizer the thesaurus is still asked by the typed form's
  // lemma: "predpisu" gives "zákon", which stands on the page as it is.
  EXPECT_EQ(ids("predpisu", kAnd | kSynonyms), (Ids{1001}));
  EXPECT_EQ(ids("predpisu", kAnd), Ids{});
}

TEST_F(EngineQueryTest, LingModulesAnswerByTheDataThatIsThereAndSound) {
  EXPECT_EQ(IndexGetLingModules(0, 1), 1);
  EXPECT_EQ(IndexGetLingModules(16, 1), 1);
  EXPECT_EQ(IndexGetLingModules(0, 2), 0) << "no English data";
  ling::LingSource lemmasOnly;
  lemmasOnly.lemmas["pes"] = {"psa"};
  folder_.write("ling_cs.tld", ling::buildLingData(2, lemmasOnly));
  std::vector<uint8_t> damaged = ling::buildLingData(4, lemmasOnly);
  damaged.pop_back();
  folder_.write("ling_de.tld", damaged);
  folder_.write("ling_hu.tld", ling::buildLingData(0, lemmasOnly));  // Slovak data under a Hungarian name
  EXPECT_EQ(IndexGetLingModules(0, 0x1FF), 0x5) << "Slovak, and Czech found after the first question";
  EXPECT_EQ(IndexGetLingModules(16, 0x1FF), 0x1) << "the Czech data has no thesaurus";
  EXPECT_EQ(IndexGetLingModules(0, 0), 0);
  EXPECT_EQ(IndexGetLingModules(5, 1), 0) << "unknown kind";
}

TEST_F(EngineQueryTest, DataDamagedBehindItsHeadFailsTheQueryAndDropsOnlyItsLanguage) {
  ling::LingSource english;
  english.lemmas["store"] = {"stores"};
  folder_.write("ling_en.tld", ling::buildLingData(1, english));
  // "knihou" is looked up in the forms map, then its lemma in the lemma map.
  for (const int map : {0, 1}) {
    SCOPED_TRACE(map == 0 ? "forms" : "lemmas");
    std::vector<uint8_t> bytes = buildTestLingData();
    const size_t at = 16 + 24 * map + 16;  // the offset of the map's data
    const uint32_t data = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
    bytes[data + 3] ^= 0x40;  // inside its first block
    folder_.write("ling_sk.tld", bytes);
    Engine::instance().setDataFolder(folder_.path().string());  // forgets the data read so far
    EXPECT_EQ(IndexGetLingModules(0, 3), 3) << "heads are sound";
    EXPECT_EQ(query("knihou", kAnd | kLemmas).error, 18);
    EXPECT_EQ(IndexGetLingModules(0, 3), 2);
    EXPECT_EQ(ids("knihy", kAnd | kLemmas), (Ids{1003})) << "searched as typed once the data is gone";
  }
}

TEST_F(EngineQueryTest, AQueryOfExcludedWordsOnlyFailsWithCode43) {
  for (uint32_t mode : {0u, kOr, kAnd, kNot, kNext, kNear | 3, kOperators}) {
    SCOPED_TRACE(mode);
    const QueryOutcome refused = query("a O na", mode);
    EXPECT_EQ(refused.error, 43);
    EXPECT_TRUE(refused.ids.empty());
  }
  EXPECT_EQ(query("(a OR o) NOT v", kOperators).error, 43);
  EXPECT_EQ(ids("a kniha", kAnd), (Ids{1003})) << "excluded words among others are ignored";
  EXPECT_EQ(ids("a kniha", kOr), (Ids{1003}));
  EXPECT_EQ(ids("kniha NOT a", kOperators), (Ids{1003}));
  EXPECT_EQ(ids("a*", kOperators), (Ids{})) << "a prefix is never an excluded word";
}

TEST_F(EngineQueryTest, BadQueriesAreRefusedWithTheirCodes) {
  struct Case {
    const char* text;
    uint32_t flags;
    uint16_t error;
  };
  const std::string longest(255, 'k');
  const std::string tooLong(256, 'k');
  for (const Case& c :
       {Case{"", kAnd, 12}, Case{" ,.;- ", kOr, 12}, Case{"", kOperators, 12}, Case{"(kniha", kOperators, 14},
        Case{"kniha)", kOperators, 14}, Case{"\"kniha pero", kOperators, 14}, Case{"\"\"", kOperators, 14},
        Case{"()", kOperators, 14}, Case{"kniha OR", kOperators, 14}, Case{"NOT kniha", kOperators, 14},
        Case{"kniha NEAR/0 pero", kOperators, 14}, Case{"kniha NEAR/ pero", kOperators, 14},
        Case{"kniha NEAR/1000 pero", kOperators, 14}, Case{"kniha", 0x60, 15}, Case{tooLong.c_str(), kAnd, 13}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(query(c.text, c.flags).error, c.error);
  }
  EXPECT_EQ(query(longest.c_str(), kAnd).error, 0);
}

}  // namespace
}  // namespace tarvek::sbi::test
