#include "platform/Cp1250.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(Cp1250, SlovakLettersRoundTripThroughUtf8) {
  const std::string utf8 = "Súbor Chýba ľščťžýáíéäôňŕĺď ĽŠČŤŽÝÁÍÉÄÔŇŔĹĎ";
  const std::string ansi = cp1250::fromUtf8(utf8);
  EXPECT_EQ(ansi.size(), 43u);  // one byte per letter
  EXPECT_EQ(cp1250::toUtf8(ansi), utf8);
  EXPECT_EQ(static_cast<unsigned char>(cp1250::fromUtf8("ľ")[0]), 0xBE);
  EXPECT_EQ(static_cast<unsigned char>(cp1250::fromUtf8("š")[0]), 0x9A);
  EXPECT_EQ(static_cast<unsigned char>(cp1250::fromUtf8("ú")[0]), 0xFA);
}

TEST(Cp1250, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
  EXPECT_EQ(cp1250::fromUtf8("a\xE2\x82\xACz"), "a\x80z");  // the euro sign is 0x80
  EXPECT_EQ(cp1250::fromUtf8("漢"), "?");
  EXPECT_EQ(cp1250::fromUtf8("a\xC3"), "a?");      // cut sequence
  EXPECT_EQ(cp1250::fromUtf8("\x80x"), "?x");      // stray continuation byte
  EXPECT_EQ(cp1250::toUtf8("\x98"), "\xEF\xBF\xBD");  // undefined in CP1250
}

// Folding is how French, Italian and Spanish words reach a code page 1250
// keyboard: only what the code page lacks changes.
TEST(Cp1250, FoldingDropsOnlyTheAccentsTheCodePageLacks) {
  EXPECT_EQ(cp1250::foldToCp1250("verrà génère niño Œuvre ﬁn cœur Ørsted"), "verra g\xE9nere nino OEuvre fin coeur Orsted");
  EXPECT_EQ(cp1250::foldToCp1250("ľščťž ÄÖÜß"), cp1250::fromUtf8("ľščťž ÄÖÜß"));
  EXPECT_EQ(cp1250::foldToCp1250("c\xCC\x8Cierny e\xCC\x80"), "\xE8ierny e");  // c + caron is č; e + grave is e
  EXPECT_EQ(cp1250::foldToCp1250("\xCC\x8C漢a\xC3"), "?a?");  // a mark with no letter, no Latin letter, a cut sequence
}

TEST(Cp1250, CaseMappingCoversAccentedLetters) {
  EXPECT_EQ(cp1250::toUtf8(cp1250::toLower(cp1250::fromUtf8("D:\\IDX\\ŽALOBA.SBI"))), "d:\\idx\\žaloba.sbi");
  EXPECT_EQ(cp1250::toUtf8(cp1250::toUpper(cp1250::fromUtf8("ľščťž"))), "ĽŠČŤŽ");
  EXPECT_EQ(cp1250::compareIgnoreCase(cp1250::fromUtf8("Ťava.PDF"), cp1250::fromUtf8("ťava.pdf")), 0);
  EXPECT_LT(cp1250::compareIgnoreCase("abc", "abd"), 0);
  EXPECT_GT(cp1250::compareIgnoreCase("abcd", "ABC"), 0);
}

// The case tables are checked against the letters themselves, written out
// here, since the fakes share the tables under test.
TEST(Cp1250, EverySlovakAndCzechLetterPairMapsBothWays) {
  const char* const pairs[] = {"\xC1\xE1" /* Á */, "\xC4\xE4" /* Ä */, "\xC8\xE8" /* Č */, "\xCF\xEF" /* Ď */,
                               "\xC9\xE9" /* É */, "\xCC\xEC" /* Ě */, "\xCD\xED" /* Í */, "\xC5\xE5" /* Ĺ */,
                               "\xBC\xBE" /* Ľ */, "\xD2\xF2" /* Ň */, "\xD3\xF3" /* Ó */, "\xD4\xF4" /* Ô */,
                               "\xC0\xE0" /* Ŕ */, "\xD8\xF8" /* Ř */, "\x8A\x9A" /* Š */, "\x8D\x9D" /* Ť */,
                               "\xDA\xFA" /* Ú */, "\xD9\xF9" /* Ů */, "\xDD\xFD" /* Ý */, "\x8E\x9E" /* Ž */};
  for (const char* pair : pairs) {
    const std::string upper(1, pair[0]);
    const std::string lower(1, pair[1]);
    SCOPED_TRACE(cp1250::toUtf8(upper));
    EXPECT_EQ(cp1250::toLower(upper), lower);
    EXPECT_EQ(cp1250::toUpper(lower), upper);
    EXPECT_EQ(cp1250::toLower(lower), lower);
    EXPECT_EQ(cp1250::toUpper(upper), upper);
    EXPECT_EQ(cp1250::compareIgnoreCase(upper, lower), 0);
  }
}

}  // namespace
}  // namespace tarvek
