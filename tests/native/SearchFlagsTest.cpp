#include "search/SearchFlags.h"

#include <gtest/gtest.h>

#include "tests/native/ScriptedEngine.h"

namespace tarvek {
namespace {

TEST(SearchFlags, OperatorAloneGivesItsModeAndTheAlwaysSetBit) {
  EXPECT_EQ(baseSearchFlags(kOperatorAnd, "8", false, false) | kFlagAlwaysSet, 0x0120);
  EXPECT_EQ(baseSearchFlags(kOperatorOr, "8", false, false), 0x10);
  EXPECT_EQ(baseSearchFlags(kOperatorNot, "8", false, false), 0x30);
  EXPECT_EQ(baseSearchFlags(kOperatorNext, "3", false, false), 0x40);  // no distance outside NEAR modes
  EXPECT_EQ(baseSearchFlags(-1, "3", true, true), 0x6000);            // no operator: no mode, no distance
  EXPECT_EQ(baseSearchFlags(6, "3", false, false), 0);
}

TEST(SearchFlags, NearDistanceFollowsTheFieldRule) {
  struct Case {
    const char* text;
    uint16_t flags;
  };
  for (const Case& c : {Case{"3", 0x0153}, Case{"0", 0x0158}, Case{"", 0x0158}, Case{"99", 0x0158},
                        Case{"15", 0x015F}, Case{"16", 0x0158}, Case{"-3", 0x0158}, Case{"7x", 0x0157},
                        Case{"x7", 0x0158}, Case{"1234", 0x015C}}) {
    EXPECT_EQ(baseSearchFlags(kOperatorNear, c.text, false, false) | kFlagAlwaysSet, c.flags) << '"' << c.text << '"';
  }
}

TEST(SearchFlags, LinguisticBitsDependOnTheIndexLanguagesModules) {
  testing::ScriptedEngine engine;
  engine.lemmatizationMask = languageMask(kSlovak);
  engine.synonymMask = 0;
  const uint16_t base = baseSearchFlags(kOperatorOperators, "15", false, false);
  EXPECT_EQ(indexSearchFlags(base, true, true, engine, kSlovak) | kFlagAlwaysSet, 0x01FF);
  EXPECT_EQ(indexSearchFlags(base, true, true, engine, kEnglish), 0x7F);  // no modules for English
  EXPECT_EQ(indexSearchFlags(base, false, true, engine, kSlovak), 0x7F);  // box off
  engine.synonymMask = 0xFFFF;  // answers more than it was asked: not present
  EXPECT_EQ(indexSearchFlags(base, false, true, engine, kSlovak), 0x7F);
}

TEST(SearchFlags, UnknownLanguageHasNoModules) {
  testing::ScriptedEngine engine;
  engine.lemmatizationMask = 0;  // an engine answering 0 to everything
  EXPECT_EQ(languageMask(9), 0);
  EXPECT_EQ(languageMask(8), 0x100);
  EXPECT_FALSE(lingModulePresent(engine, engine_api::kLingLemmatization, 9));
  EXPECT_EQ(indexSearchFlags(0x20, true, true, engine, 12), 0x20);
}

TEST(SearchFlags, LanguageChoiceZeroMeansAll) {
  EXPECT_FALSE(languageOfChoice(0).has_value());
  EXPECT_EQ(languageOfChoice(1), kSlovak);
  EXPECT_EQ(languageOfChoice(9), kSpanish);
  EXPECT_FALSE(languageOfChoice(10).has_value());
  EXPECT_FALSE(languageOfChoice(-1).has_value());
}

}  // namespace
}  // namespace tarvek
