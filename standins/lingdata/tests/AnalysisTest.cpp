// Joining forms to their lemmas by hunspell's analysis: the reading of its
// fields, the grouping, the generated paradigms, over a scripted analyser;
// and once through libhunspell with Debian's Hungarian dictionary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "standins/lingdata/AnalysedGroups.h"
#include "standins/lingdata/HunspellAnalyser.h"
#include "standins/lingdata/Morphology.h"
#include "standins/lingdata/Paradigms.h"

namespace tarvek::lingdata {
namespace {

using Words = std::vector<std::string>;

TEST(MorphologyTest, OnlyAReadingByInflectionNamesALemma) {
  const std::pair<Words, Words> cases[] = {
      {{" st:kifejezés po:noun ts:NOM is:POSS_SG_3 is:ALL"}, {"kifejezés"}},
      {{"ip:leg_SUPERLATIVE_adj st:szép po:adj is:bb_COMPARATIVE_adj ts:NOM"}, {"szép"}},
      {{"st:olvas po:vrb ts:PRES_INDIC_INDEF_SG_3 ds:Ó_PRESPART_adj ts:NOM"}, {}},
      {{"ip:PREF sp:ki  st:választ po:vrb is:PAST_INDIC_INDEF_SG_3"}, {}},
      {{"pa:könyv st:könyv pa:tár st:tár po:noun"}, {}},
      {{"ri st:conoscere fl:J"}, {}},
      {{"fl:J st:conoscere fl:B", "st:riconoscere"}, {"riconoscere"}},
      {{"st:usato fl:E", "st:usare fl:A", "st:usare fl:B"}, {"usato", "usare"}},
      {{"po:noun is:ACC"}, {"word"}},
      {{}, {}},
  };
  for (const auto& [analyses, lemmas] : cases)
    EXPECT_EQ(inflectionalLemmas("word", analyses), lemmas) << (analyses.empty() ? "none" : analyses[0]);
}

// Answers from a table: the analyses of a word, the forms generate makes of
// a lemma (one per analysis it is given, the lemma with the analysis's is:).
class ScriptedAnalyser : public WordAnalyser {
 public:
  std::map<std::string, Words> analyses;
  std::vector<std::string> analyze(const std::string& word) const override {
    auto it = analyses.find(word);
    return it == analyses.end() ? Words{} : it->second;
  }
  std::vector<std::string> generate(const std::string& lemma, const Words& patterns) const override {
    Words out;
    for (const std::string& p : patterns) out.push_back(lemma + "+" + p.substr(p.find("is:") + 3));
    return out;
  }
};

TEST(AnalysedGroupsTest, FormsJoinTheLemmaTheirAnalysisNamesNotTheStemThatMadeThem) {
  ScriptedAnalyser a;
  a.analyses = {{"ház", {"st:ház po:noun"}},
                {"házakat", {"st:ház po:noun is:PLUR is:ACC"}},
                {"házas", {"st:ház po:noun ds:s_ATTRIBUTE_adj", "st:házas po:adj"}},
                {"usate", {"st:usato fl:E", "st:usare fl:A"}},
                {"ri", {"ri st:conoscere"}}};
  // "ház" names itself; "zzz" is no word of the dictionary; "ri" a derivation.
  const Words candidates = {"ház", "házakat", "házas", "usate", "zzz", "ri"};
  const LemmaGroups one = groupByAnalysis(candidates, {&a}, 100);
  EXPECT_EQ(one, (LemmaGroups{{"ház", {"ház", "házakat"}},
                              {"házas", {"házas"}},
                              {"usato", {"usato", "usate"}},
                              {"usare", {"usare", "usate"}}}));
  EXPECT_EQ(groupByAnalysis(candidates, {&a, &a, &a}, 100), one) << "threads share the words out, not the result";
}

TEST(AnalysedGroupsTest, ACutParadigmKeepsTheLemmaAndItsShortestForms) {
  ScriptedAnalyser a;
  for (const char* f : {"házakat", "háza", "házat", "házak", "házba"}) a.analyses[f] = {"st:ház is:X"};
  EXPECT_EQ(groupByAnalysis({"házakat", "háza", "házat", "házak", "házba"}, {&a}, 3),
            (LemmaGroups{{"ház", {"ház", "háza", "házak"}}}));
}

TEST(ParadigmsTest, EachLemmaTakesThePatternsOfItsPartOfSpeech) {
  ScriptedAnalyser a;
  a.analyses = {{"házat", {"st:ház po:noun ds:x_DERIVED", "st:ház po:noun is:ACC"}},
                {"olvasni", {"st:olvas po:vrb is:INF"}},
                {"kert", {"st:kert po:noun"}},
                {"ír", {"st:ír po:noun", "st:ír po:vrb is:PRES_SG_3"}},
                {"Pécs", {"st:Pécs po:noun_prs"}},
                {"vagyok", {"st:van po:vrb is:SG_1"}},
                {"van", {"st:van po:vrb"}},
                {"olvasó", {"st:olvas po:vrb ds:Ó_PRESPART_adj"}},
                {"olvas", {"st:olvas po:vrb"}}};
  const Patterns patterns = readPatterns(a, {"házat", "olvasni", "unknown"});
  EXPECT_EQ(patterns, (Patterns{{"noun", {"st:ház po:noun is:ACC"}}, {"vrb", {"st:olvas po:vrb is:INF"}}}));
  // "vagyok" joins the lemma it inflects; the derived "olvasó" joins none.
  // "ír" is a noun and a verb, entered in the third person; "Pécs" a
  // proper noun, declined as nouns are.
  EXPECT_EQ(generateParadigms({"kert", "vagyok", "ír", "van", "olvasó", "olvas", "Pécs"}, patterns, {&a, &a}),
            (LemmaGroups{{"kert", {"kert", "kert+ACC"}},
                         {"ír", {"ír", "ír+ACC", "ír+INF"}},
                         {"Pécs", {"Pécs", "Pécs+ACC"}},
                         {"van", {"van", "van+INF", "vagyok"}},
                         {"olvas", {"olvas", "olvas+INF"}}}));
}

TEST(ParadigmsTest, DicWordsEndAtTheirFlagsOrMorphologyAndPhrasesAreNoWords) {
  const auto path = std::filesystem::temp_directory_path() / "tarvek-paradigms-test.dic";
  std::ofstream(path, std::ios::binary) << "7\nház/45\tpo:noun\nkm\\/h/1\nvan po:vrb\nalma\r\n"
                                        << "üzembe helyezés/11\t1\nnie je/ st:byť\nkörte 12\n";
  EXPECT_EQ(readDicWords(path.string()), (Words{"ház", "km/h", "van", "alma", "körte"}));
  std::filesystem::remove(path);
  EXPECT_TRUE(readDicWords(path.string()).empty());
}

TEST(HunspellAnalyserTest, TheHungarianDictionaryAnalysesAndGeneratesTwofoldForms) {
  const std::string aff = "/usr/share/hunspell/hu_HU.aff", dic = "/usr/share/hunspell/hu_HU.dic";
  std::string error;
  if (!std::filesystem::exists(aff)) GTEST_SKIP() << "hunspell-hu is not installed";
  const auto hu = HunspellAnalyser::open(aff, dic, &error);
  ASSERT_TRUE(hu) << error;
  EXPECT_EQ(inflectionalLemmas("kifejezéséhez", hu->analyze("kifejezéséhez")), Words{"kifejezés"});
  const Patterns patterns = readPatterns(*hu, {"házat", "kifejezéséhez"});
  const Words made = hu->generate("asztal", patterns.at("noun"));
  EXPECT_EQ(std::set<std::string>(made.begin(), made.end()), (std::set<std::string>{"asztalt", "asztalához"}));
  EXPECT_FALSE(HunspellAnalyser::open(aff, "/nonexistent.dic", &error));
  EXPECT_NE(error.find("/nonexistent.dic"), std::string::npos);
}

}  // namespace
}  // namespace tarvek::lingdata
