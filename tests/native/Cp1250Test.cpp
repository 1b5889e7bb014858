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

TEST(Cp1250, CaseMappingCoversAccentedLetters) {
  EXPECT_EQ(cp1250::toUtf8(cp1250::toLower(cp1250::fromUtf8("D:\\IDX\\ŽALOBA.SBI"))), "d:\\idx\\žaloba.sbi");
  EXPECT_EQ(cp1250::toUtf8(cp1250::toUpper(cp1250::fromUtf8("ľščťž"))), "ĽŠČŤŽ");
  EXPECT_EQ(cp1250::compareIgnoreCase(cp1250::fromUtf8("Ťava.PDF"), cp1250::fromUtf8("ťava.pdf")), 0);
  EXPECT_LT(cp1250::compareIgnoreCase("abc", "abd"), 0);
  EXPECT_GT(cp1250::compareIgnoreCase("abcd", "ABC"), 0);
}

}  // namespace
}  // namespace tarvek
