// How text splits into words and how words are compared.
#include <gtest/gtest.h>

#include "standins/engine/WordText.h"
#include "standins/engine/tests/TestIndex.h"

namespace tarvek::sbi::test {
namespace {

std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> out;
  forEachWord(text, [&](std::string_view w, size_t) { out.emplace_back(w); });
  return out;
}

TEST(WordTextTest, WordsAreRunsOfLettersAndDigits) {
  EXPECT_EQ(words(ansi("Ľudová škola, 2024—ťava´s e-mail")),
            (std::vector<std::string>{ansi("Ľudová"), ansi("škola"), "2024", ansi("ťava"), "s", "e", "mail"}));
  EXPECT_TRUE(words(" .,;!? ").empty());
}

TEST(WordTextTest, HyphensAtLineEndsJoinTheWord) {
  EXPECT_EQ(joinLineEndHyphens("infor-\nmation and e-mail"), "information and e-mail");
  EXPECT_EQ(joinLineEndHyphens("pre-  \r\n   vádzka"), "prevádzka");
  EXPECT_EQ(joinLineEndHyphens(ansi("Zá\xC2\xAD\nkon")), ansi("Zákon")) << "soft hyphen";
  EXPECT_EQ(joinLineEndHyphens("1990-\n2000"), "1990-\n2000") << "numbers keep their dash";
  EXPECT_EQ(joinLineEndHyphens("word -\nnext"), "word -\nnext") << "a dash after a blank is no split word";
  EXPECT_EQ(joinLineEndHyphens("end-"), "end-");
}

TEST(WordTextTest, FoldingDropsDiacriticsBothWaysForUmlauts) {
  EXPECT_EQ(foldDiacritics(lowerWord(ansi("ŽLŤOUČKÝ")), false), "zltoucky");
  EXPECT_EQ(foldDiacritics(ansi("mäso"), false), "maso");
  EXPECT_EQ(foldDiacritics(ansi("mädchen"), true), "maedchen");
  EXPECT_EQ(foldDiacritics(ansi("straße"), false), "strasse");
  EXPECT_EQ(foldDiacritics(ansi("ôďňŕĺúůőű"), false), "odnrluuou");
}

TEST(WordTextTest, OneEditApart) {
  struct Case {
    const char* a;
    const char* b;
    bool near;
  };
  for (const Case& c : {Case{"kniha", "kniha", true}, Case{"kniha", "knihy", true}, Case{"kniha", "knha", true},
                        Case{"kniha", "knihaa", true}, Case{"kniha", "iknha", false}, Case{"kniha", "nkiha", true},
                        Case{"kniha", "knhia", true}, Case{"kniha", "knhiy", false}, Case{"kniha", "kn", false},
                        Case{"", "a", true}, Case{"ab", "ba", true}}) {
    SCOPED_TRACE(std::string(c.a) + " " + c.b);
    EXPECT_EQ(withinOneEdit(c.a, c.b), c.near);
    EXPECT_EQ(withinOneEdit(c.b, c.a), c.near);
  }
}

}  // namespace
}  // namespace tarvek::sbi::test
