// The indexer's judgement of which lemma a word of the index inflects, with
// Debian's hunspell dictionaries: inflected forms join their lemma, derived
// and prefixed words do not join their root.
#include <gtest/gtest.h>

#include <map>

#include "platform/Cp1250.h"
#include "standins/indexer/WordLemmas.h"

namespace tarvek::indexer {
namespace {

using Words = std::vector<std::string>;

std::unique_ptr<WordLemmatizer> lemmatizer(uint16_t language) {
  std::string problem;
  return WordLemmatizer::open(language, kHunspellFolder, &problem);
}

// The word's lemmas, UTF-8 in and out.
Words lemmasOf(const WordLemmatizer& lemmatizer, const char* utf8) {
  Words lemmas;
  for (const auto& lemma : lemmatizer.lemmasOf(cp1250::fromUtf8(utf8))) lemmas.push_back(cp1250::toUtf8(lemma));
  return lemmas;
}

bool has(const Words& words, const char* word) { return std::find(words.begin(), words.end(), word) != words.end(); }

TEST(WordLemmasTest, AnInflectedFormJoinsItsLemmaADerivedWordNotItsRoot) {
  struct Case {
    uint16_t language;
    const char* word;
    const char* lemma;    // among its lemmas; empty: none expected
    const char* notRoot;  // never among them; empty: nothing to check
  };
  const Case cases[] = {
      {5, "kifejezéséhez", "kifejezés", "fej"},  // twofold suffixes; ki- + fej + -z + -és is derivation
      {5, "házat", "ház", ""},
      {5, "olvasó", "olvasó", "olvas"},        // ds: present participle
      {5, "alkalmazását", "alkalmazás", "alkalmaz"},  // the derived noun is the lemma of its cases
      {5, "eszköztáron", "eszköztár", "tár"},         // a compound, whole
      {7, "impostarne", "impostare", ""},      // an enclitic pronoun
      {7, "riconoscere", "", "conoscere"},     // it_IT's bare prefix
      {1, "walked", "walk", ""},
      {1, "walker", "walker", "walk"},         // an agent noun, by flag only
      {4, "schönheit", "schönheit", ""},       // a noun, found capitalised
      {4, "machbar", "", "machen"},            // -bar
      {4, "unschön", "", "schön"},             // un-
      {6, "książki", "książka", ""},           // an ISO 8859-2 dictionary
      {0, "nerobiť", "", "robiť"},             // tp:negation
      {0, "domy", "dom", ""},
  };
  std::map<uint16_t, std::unique_ptr<WordLemmatizer>> opened;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    auto& l = opened[c.language];
    if (!l) l = lemmatizer(c.language);
    if (!l) {
      ADD_FAILURE() << "no dictionary for language " << c.language << " (tools/install-deps.sh installs them)";
      continue;
    }
    const Words lemmas = lemmasOf(*l, c.word);
    if (*c.lemma) {
      EXPECT_TRUE(has(lemmas, c.lemma)) << (lemmas.empty() ? "none" : lemmas[0]);
    }
    if (*c.notRoot) {
      EXPECT_FALSE(has(lemmas, c.notRoot));
    }
  }
}

TEST(WordLemmasTest, JoinsGroupTheWordsByLemmaAndDropWhatJoinsNothing) {
  std::vector<std::unique_ptr<WordLemmatizer>> two;
  std::string problem;
  two = openLemmatizers(5, kHunspellFolder, 2, &problem);
  if (two.empty()) GTEST_SKIP() << problem;
  const Words words = {cp1250::fromUtf8("ház"), cp1250::fromUtf8("házat"), cp1250::fromUtf8("házak"),
                       "asztal", "xqzv"};
  const sbi::LemmaJoins joins = joinToLemmas(two, words);
  ASSERT_EQ(joins.size(), 1u) << "asztal joins only itself, xqzv nothing";
  EXPECT_EQ(joins.begin()->first, cp1250::fromUtf8("ház"));
  EXPECT_EQ(joins.begin()->second, (std::set<std::string>{words[0], words[1], words[2]}));
}

TEST(WordLemmasTest, ALanguageWithoutItsDictionarySaysWhy) {
  std::string problem;
  EXPECT_EQ(WordLemmatizer::open(5, "/nonexistent", &problem), nullptr);
  EXPECT_NE(problem.find("hu_HU.aff"), std::string::npos) << problem;
  EXPECT_EQ(WordLemmatizer::open(9, kHunspellFolder, &problem), nullptr);
}

}  // namespace
}  // namespace tarvek::indexer
