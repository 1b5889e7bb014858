// The build step's readers of hunspell dictionaries and MyThes thesauri, over
// small files written here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "standins/lingdata/AffixExpander.h"
#include "standins/lingdata/EngineWords.h"
#include "standins/lingdata/EnglishJoins.h"
#include "standins/lingdata/FormGroups.h"
#include "standins/lingdata/GermanJoins.h"
#include "standins/lingdata/HeadForms.h"
#include "standins/lingdata/ItalianJoins.h"
#include "standins/lingdata/Thesaurus.h"

namespace tarvek::lingdata {
namespace {

using Forms = std::map<std::string, std::set<std::string>>;

class LingdataTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(folder_);
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  Forms expand(const std::string& aff, const std::string& dic, size_t maxPerStem = 100,
               const std::function<void(AffixExpander&)>& configure = {}) {
    AffixExpander expander;
    std::string error;
    EXPECT_TRUE(expander.loadAffixes(write("t.aff", aff), &error)) << error;
    if (configure) configure(expander);
    Forms forms;
    EXPECT_TRUE(expander.expand(write("t.dic", dic), maxPerStem,
                                [&](const std::string& stem, const std::set<std::string>& f) { forms[stem].insert(f.begin(), f.end()); },
                                &error))
        << error;
    return forms;
  }
  std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                  ("tarvek-lingdata-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(LingdataTest, AffixesFollowTheirConditionsCrossProductAndContinuation) {
  const Forms forms = expand(
      "SET UTF-8\nNEEDAFFIX !\nFORBIDDENWORD ?\n"
      "SFX A Y 2   # a comment after the header\nSFX A a y a\nSFX A a ou [^k]a\n"
      "SFX B N 1\nSFX B 0 s/C .\n"
      "SFX C N 1\nSFX C 0 ik .\n"
      "PFX N Y 1\nPFX N 0 ne .\n",
      "4\nžena/AN\nruka/A\nstem/!B\nzlé/?A\n");
  EXPECT_EQ(forms.at("žena"), (std::set<std::string>{"žena", "ženy", "ženou", "nežena", "neženy", "neženou"}));
  EXPECT_EQ(forms.at("ruka"), (std::set<std::string>{"ruka", "ruky"})) << "[^k]a keeps -ou off";
  EXPECT_EQ(forms.at("stem"), (std::set<std::string>{"stems", "stemsik"})) << "no form without an affix";
  EXPECT_TRUE(forms.at("zlé").empty()) << "a forbidden word";
}

TEST_F(LingdataTest, PrefixConditionsLookAtTheStartAndOnlyCrossClassesMeetPrefixes) {
  const Forms forms = expand(
      "SET UTF-8\nPFX P Y 1\nPFX P 0 pre k\nPFX U Y 1\nPFX U 0 un .\n"
      "SFX S Y 1\nSFX S 0 s .\nSFX D N 1\nSFX D 0 ed .\n",
      "3\nkniha/P\npark/P\nlock/SDU\n");
  EXPECT_EQ(forms.at("kniha"), (std::set<std::string>{"kniha", "prekniha"}));
  EXPECT_EQ(forms.at("park"), (std::set<std::string>{"park"})) << "it ends in k, it does not start with one";
  EXPECT_EQ(forms.at("lock"), (std::set<std::string>{"lock", "locks", "locked", "unlock", "unlocks"}))
      << "-ed has no cross product: no unlocked";
}

TEST_F(LingdataTest, TwofoldSuffixesAndWholeWordStripsOnlyWhenSet) {
  const std::string twofold = "SFX T Y 1\nSFX T 0 ik/C .\nSFX C Y 1\nSFX C 0 a .\n";
  EXPECT_EQ(expand(twofold, "1\ndom/T\n").at("dom"), (std::set<std::string>{"dom", "domik", "domika"}));
  EXPECT_EQ(expand(twofold, "1\ndom/T\n", 100, [](AffixExpander& e) { e.setTwofold(false); }).at("dom"),
            (std::set<std::string>{"dom", "domik"}));
  const std::string whole = "SET UTF-8\nSFX F Y 1\nSFX F byť som byť\n";
  EXPECT_EQ(expand(whole, "1\nbyť/F\n").at("byť"), (std::set<std::string>{"byť"}));
  EXPECT_EQ(expand("FULLSTRIP\n" + whole, "1\nbyť/F\n").at("byť"), (std::set<std::string>{"byť", "som"}));
}

TEST_F(LingdataTest, LongFlagsAndAliasesNameTheClasses) {
  const Forms forms = expand(
      "FLAG long\nAF 1\nAF AaBb\nSFX Aa Y 1\nSFX Aa 0 s .\nSFX Bb Y 1\nSFX Bb 0 ed .\n",
      "1\nwalk/1\n");
  EXPECT_EQ(forms.at("walk"), (std::set<std::string>{"walk", "walks", "walked"}));
}

TEST_F(LingdataTest, AStemOverTheCapKeepsItsShortestForms) {
  const Forms forms = expand("SFX A Y 3\nSFX A 0 ovia .\nSFX A 0 a .\nSFX A 0 ovi .\n", "1\nbrat/A\n", 2);
  EXPECT_EQ(forms.at("brat"), (std::set<std::string>{"brat", "brata"}));
}

TEST_F(LingdataTest, AffixesThatWriteAnApostropheLeftOutMakeRoomUnderTheCap) {
  const std::string aff = "SET UTF-8\nPFX T Y 1\nPFX T 0 l' [aeiou]\nSFX A Y 1\nSFX A o issimo o\n";
  EXPECT_EQ(expand(aff, "1\namico/AT\n", 2).at("amico"), (std::set<std::string>{"amico", "l'amico"}));
  EXPECT_EQ(expand(aff, "1\namico/AT\n", 2, [](AffixExpander& e) { e.setApostrophes(false); }).at("amico"),
            (std::set<std::string>{"amico", "amicissimo"}));
}

TEST_F(LingdataTest, DerivationalAndUnpairedFlagsGiveNoForms) {
  const std::string aff =
      "SFX R Y 1\nSFX R 0 er .\nSFX T N 1\nSFX T 0 est .\nSFX S Y 1\nSFX S 0 s .\n"
      "SFX N Y 1\nSFX N 0 ness .\nPFX U Y 1\nPFX U 0 un .\n";
  const Forms forms = expand(aff, "4\nwalk/RSU\nfast/RTN\nbe/T\ni/S\n", 100, [](AffixExpander& e) {
    e.setDerivational("NU");
    e.setPaired("RT");
    e.setMinAffixedStem(2);
  });
  EXPECT_EQ(forms.at("walk"), (std::set<std::string>{"walk", "walks"})) << "-er without -est, un- derivational";
  EXPECT_EQ(forms.at("fast"), (std::set<std::string>{"fast", "faster", "fastest"})) << "-ness derivational";
  EXPECT_EQ(forms.at("be"), (std::set<std::string>{"be"})) << "-est without -er";
  EXPECT_EQ(forms.at("i"), (std::set<std::string>{"i"})) << "a letter takes no plural";
  // The derivations are lemmas of their own, a prefixed one with the stem's inflections.
  EXPECT_EQ(forms.at("walker"), (std::set<std::string>{"walker"}));
  EXPECT_EQ(forms.at("unwalk"), (std::set<std::string>{"unwalk", "unwalks"}));
  EXPECT_EQ(forms.at("fastness"), (std::set<std::string>{"fastness"}));
  EXPECT_EQ(forms.count("best"), 0u);
  EXPECT_EQ(expand(aff, "1\nwalk/RSU\n").at("walk").size(), 6u) << "all flags count when none is set";
}

TEST_F(LingdataTest, AShortStemTakesNoFlagThatWouldSpellAnotherWord) {
  const std::string aff = "SFX D Y 2\nSFX D 0 d e\nSFX D 0 ed [^e]\nSFX S Y 1\nSFX S 0 s .\n";
  const Forms forms = expand(aff, "4\nbe/DS\nfl/DS\nbake/DS\nit/S\n", 100,
                             [](AffixExpander& e) { e.setMinStemFor("D", 3); });
  EXPECT_EQ(forms.at("be"), (std::set<std::string>{"be", "bes"})) << "no bed";
  EXPECT_EQ(forms.at("fl"), (std::set<std::string>{"fl", "fls"})) << "no fled";
  EXPECT_EQ(forms.at("bake"), (std::set<std::string>{"bake", "baked", "bakes"}));
  EXPECT_EQ(forms.at("it"), (std::set<std::string>{"it", "its"})) << "only the flags named";
}

TEST_F(LingdataTest, ATwofoldSuffixOfADerivingClassMakesALemmaWithItsContinuedForms) {
  const std::string aff = "SET UTF-8\nSFX U Y 3\nSFX U 0 e .\nSFX U 0 em .\nSFX U 0 ův/Y .\n"
                          "SFX Y Y 2\nSFX Y ův ova ův\nSFX Y ův ové ův\nPFX N Y 1\nPFX N 0 ne .\n";
  const Forms forms = expand(aff, "2\nKonc/UN\nKvětin/U\n", 100, [](AffixExpander& e) { e.setDerivedTwofold("U"); });
  EXPECT_EQ(forms.at("Konc"), (std::set<std::string>{"Konc", "Konce", "Koncem", "neKonc", "neKonce", "neKoncem"}));
  EXPECT_EQ(forms.at("Koncův"), (std::set<std::string>{"Koncův", "Koncova", "Koncové"}));
  EXPECT_EQ(forms.at("Květinův"), (std::set<std::string>{"Květinův", "Květinova", "Květinové"}));
  EXPECT_EQ(expand(aff, "1\nKonc/U\n").at("Konc").size(), 6u) << "without the setting the noun's forms";
}

TEST_F(LingdataTest, AnEntryThatNamesItsStemGivesItsFormsToThatStem) {
  const Forms forms = expand(
      "SET UTF-8\nAM 2\nAM po:noun\nAM st:ház po:noun ts:PLUR\nSFX A Y 1\nSFX A k t k\nSFX B Y 1\nSFX B 0 ban .\n",
      "4\nház/B\t1\nházak/A\t2\nvár/B st:vár\nnem ház/ st:ház\n");
  EXPECT_EQ(forms.at("házak"), (std::set<std::string>{"házak", "házat"}));
  EXPECT_EQ(forms.at("ház"), (std::set<std::string>{"ház", "házban", "házak", "házat"}))
      << "a phrase (sk_SK's \"nie je/ st:byť\") gives its stem no word";
  EXPECT_FALSE(forms.count("nem"));
  EXPECT_EQ(forms.at("vár"), (std::set<std::string>{"vár", "várban"})) << "its own stem named in place: once";
}

TEST_F(LingdataTest, EnglishWordsOfTheirOwnJoinTheStemTheySpellAnInflectionOf) {
  const std::set<std::string> stems{"stop",    "stopped", "stopping", "big",   "bigger",   "biggest", "run",
                                    "runner",  "carry",   "carried",  "happy", "happier",  "happiest", "hero",
                                    "heroes",  "decision", "decisions", "policy", "policies", "new", "news",
                                    "i",       "is",      "bus",      "buses", "table",    "tables", "ad",
                                    "add",     "added"};
  const std::set<std::string> nouns{"hero", "decision", "policy", "bus", "table", "i"};
  const auto joins = englishJoins(stems, nouns);
  const std::set<std::pair<std::string, std::string>> got(joins.begin(), joins.end());
  const std::set<std::pair<std::string, std::string>> want{
      {"stop", "stopped"},    {"stop", "stopping"},     {"big", "bigger"},        {"big", "biggest"},
      {"carry", "carried"},   {"happy", "happier"},     {"happy", "happiest"},    {"hero", "heroes"},
      {"decision", "decisions"}, {"policy", "policies"}, {"bus", "buses"},        {"table", "tables"}};
  EXPECT_EQ(got, want) << "no runner (no runnest), no news (new is no noun), no is (a letter), no ad (added is add's)";
}

TEST_F(LingdataTest, ABareWordJoinsTheStemWhoseSuffixWouldMakeItWithoutItsCondition) {
  const Forms forms = expand("SET UTF-8\nSFX A Y 3\nSFX A a ám [^b]a\nSFX A a 0 [^v]a\nSFX A a e .\n"
                             "SFX B Y 1\nSFX B e a [^l]e\n",
                             "11\nizba/A\nzmluva/A\nžena/A\npole/B\ncesta/A\nizbám\nzmlúv\nženie\npoľa\nizbový\nciest\n", 100,
                             [](AffixExpander& e) { e.setWaiveConditions(true); });
  EXPECT_EQ(forms.at("izba"), (std::set<std::string>{"izba", "izb", "izbe", "izbám"})) << "izbám: -ám's condition waived";
  EXPECT_EQ(forms.at("zmluva"), (std::set<std::string>{"zmluva", "zmluvám", "zmluve", "zmlúv"}))
      << "zmlúv: the condition waived, the stem's vowel lengthened";
  EXPECT_EQ(forms.at("žena"), (std::set<std::string>{"žena", "žen", "žene", "ženám"}))
      << "ženie: its ending is no ending of žena";
  EXPECT_EQ(forms.at("pole"), (std::set<std::string>{"pole", "poľa"})) << "the final l softened";
  EXPECT_EQ(forms.at("cesta"), (std::set<std::string>{"cesta", "cest", "ceste", "cestám", "ciest"})) << "e becomes ie";
  EXPECT_EQ(forms.at("izbový"), (std::set<std::string>{"izbový"}));
}

using Pairs = std::set<std::pair<std::string, std::string>>;

TEST_F(LingdataTest, GermanUmlautPluralsAndWeakParticiplesJoinTheirLemma) {
  const std::set<std::string> stems{"Mann",   "Männer", "Stadt",   "Städte",   "Vater",     "Väter",  "Gut",
                                    "Güte",   "Kauf",   "Käufer",  "Bär",      "Bar",       "spielen", "gespielt",
                                    "arbeiten", "gearbeitet", "einkaufen", "eingekauft", "Gewalt", "walten"};
  const std::set<std::string> plurals{"Männer", "Städte", "Väter", "Bär"};
  const auto joins = germanJoins(stems, plurals, {});
  EXPECT_EQ(Pairs(joins.begin(), joins.end()),
            (Pairs{{"Mann", "Männer"}, {"Stadt", "Städte"}, {"Vater", "Väter"}, {"spielen", "gespielt"},
                   {"arbeiten", "gearbeitet"}, {"einkaufen", "eingekauft"}}))
      << "not Güte or Käufer (no plurals), Bär (no plural ending), Gewalt (a noun)";
}

TEST_F(LingdataTest, AGermanWordInEThatIsALemmaOfItsOwnIsNoPlural) {
  // Blüte, Wüste and Städte all inflect as plurals do (Blüten, Städten).
  const std::set<std::string> stems{"Blut", "Blüte", "Wust", "Wüste", "Stadt", "Städte", "Mann", "Männer"};
  const std::set<std::string> plurals{"Blüte", "Wüste", "Städte", "Männer"};
  const auto joins = germanJoins(stems, plurals, {"Blüte", "Wüste", "Männer"});
  EXPECT_EQ(Pairs(joins.begin(), joins.end()), (Pairs{{"Stadt", "Städte"}, {"Mann", "Männer"}}))
      << "a lemma in -er (the thesaurus enters Männer) is still a plural";
}

TEST_F(LingdataTest, ItalianParticiplesJoinTheirVerb) {
  const std::set<std::string> stems{"parlare", "parlato", "vendere", "venduto", "finire", "finito",
                                    "fare",    "fato",    "dormire", "dormito", "parlito"};
  const auto joins = italianJoins(stems);
  EXPECT_EQ(Pairs(joins.begin(), joins.end()),
            (Pairs{{"parlare", "parlato"}, {"vendere", "venduto"}, {"finire", "finito"}, {"dormire", "dormito"}}))
      << "fato is no participle of a verb that short; parlito has no verb parlire";
}

TEST_F(LingdataTest, AnItalianParticipleMovesItsFormsIntoEachVerbItJoins) {
  std::map<std::string, std::set<std::string>> lemmas{{"usare", {"usare", "usano"}},
                                                      {"usato", {"usato", "usata", "usativi", "usatomelo"}},
                                                      {"abitare", {"abitare"}},
                                                      {"abitato", {"abitato", "abitati"}}};
  moveParticiples({{"usare", "usato"}, {"abitare", "abitato"}, {"abitire", "abitato"}}, &lemmas);
  EXPECT_EQ(lemmas, (std::map<std::string, std::set<std::string>>{
                        {"usare", {"usare", "usano", "usato", "usata", "usativi"}},
                        {"abitare", {"abitare", "abitato", "abitati"}},
                        {"abitire", {"abitato", "abitati"}}}))
      << "a form with two pronouns (usatomelo) is dropped";
}

TEST_F(LingdataTest, AParticiplesEncliticFormThatAnotherLemmaHoldsStaysThatLemmas) {
  std::map<std::string, std::set<std::string>> lemmas{{"lavorare", {"lavorare", "lavoro"}},
                                                      {"lavorato", {"lavorato", "lavorati", "lavorativi", "lavoratone"}},
                                                      {"lavorativo", {"lavorativo", "lavorativi"}},
                                                      {"usare", {"usare"}},
                                                      {"usato", {"usato", "usati", "usativi"}},
                                                      {"abitato", {"abitato", "abitati", "usativi"}}};
  moveParticiples({{"lavorare", "lavorato"}, {"usare", "usato"}, {"abitare", "abitato"}}, &lemmas);
  EXPECT_EQ(lemmas.at("lavorare"), (std::set<std::string>{"lavorare", "lavoro", "lavorato", "lavorati", "lavoratone"}));
  EXPECT_EQ(lemmas.at("lavorativo"), (std::set<std::string>{"lavorativo", "lavorativi"}));
  EXPECT_EQ(lemmas.at("usare"), (std::set<std::string>{"usare", "usato", "usati", "usativi"}))
      << "another participle holding the form takes nothing from its verb";
}

TEST(HeadFormsTest, AHeadThatIsOnlyAFormLendsItsSynonymsToItsLemmas) {
  const WordGroups lemmas{{"librare", {"librare", "libro", "libri"}},
                          {"partire", {"partire", "parte"}},
                          {"parte", {"parte", "parti"}}};
  WordGroups synonyms{{"libro", {"volume", "tomo"}}, {"parte", {"porzione"}}};
  lendSynonymsOfFormHeads(lemmas, &synonyms);
  EXPECT_EQ(synonyms,
            (WordGroups{{"libro", {"volume", "tomo"}}, {"librare", {"volume", "tomo"}}, {"parte", {"porzione"}}}))
      << "parte is a lemma of its own: partire, whose form it is too, borrows nothing";
}

TEST_F(LingdataTest, ThesaurusDropsAnnotationsAndAntonymsAndReadsTheMeaningsItCounts) {
  std::map<std::string, std::vector<std::string>> entries;
  ASSERT_TRUE(readThesaurus(write("th.dat",
                                  "ISO8859-2\n"
                                  "z\xB3y|2\n"  // "zły" in ISO 8859-2
                                  "(adj)|niedobry|dobry (antonym)\n"
                                  "-|nieprzyjemny (related term)|pod\xB3y\n"
                                  "dobry|1\n"  // read as a head word, not as a third meaning of zły
                                  "(adj)|fajny\n"),
                            [&](const std::string& head, const std::vector<std::string>& s) { entries[head] = s; }));
  EXPECT_EQ(entries.at("zły"), (std::vector<std::string>{"niedobry", "nieprzyjemny", "podły"}));
  EXPECT_EQ(entries.at("dobry"), (std::vector<std::string>{"fajny"}));
  EXPECT_EQ(entries.size(), 2u);
}

TEST_F(LingdataTest, AFormTableGivesALemmaAndItsFormsPerLine) {
  std::map<std::string, std::vector<std::string>> groups;
  ASSERT_TRUE(readFormGroups(write("irregular_sk.txt", "# Source: a grammar, p. 12\n\nbyť som si je  sme\r\nbrat\tbratia\n"),
                             [&](const std::string& lemma, const std::vector<std::string>& forms) {
                               groups[lemma] = forms;
                             }));
  EXPECT_EQ(groups.size(), 2u) << "comment and blank lines skipped";
  EXPECT_EQ(groups.at("byť"), (std::vector<std::string>{"som", "si", "je", "sme"})) << "a CR LF line end is no form";
  EXPECT_EQ(groups.at("brat"), (std::vector<std::string>{"bratia"}));
  EXPECT_FALSE(readFormGroups((folder_ / "missing.txt").string(), [](auto&, auto&) {}));
}

TEST(FormGroupsTest, ATableLineAddsFormsAndTakesOutTheOnesMarkedSo) {
  std::map<std::string, std::set<std::string>> lemmas{{"sein", {"sein", "seine", "seinem"}}, {"haben", {"habe"}}};
  const auto spell = [](const std::string& w) { return w == "s\xC3\xA9" ? std::string() : w; };
  addFormGroup("sein", {"ist", "-seine", "-seinem", "-s\xC3\xA9", "-", "war"}, spell, &lemmas);
  addFormGroup("seine", {"sein", "seinem"}, spell, &lemmas);
  addFormGroup("s\xC3\xA9", {"ist"}, spell, &lemmas);
  EXPECT_EQ(lemmas, (std::map<std::string, std::set<std::string>>{{"sein", {"sein", "ist", "war", "-"}},
                                                                   {"seine", {"seine", "sein", "seinem"}},
                                                                   {"haben", {"habe"}}}))
      << "a lone '-' is a form as written; a lemma the engine cannot spell adds nothing";
}

// A user on a code page 1250 keyboard types verra for verrà; but a folded
// spelling that is an entry of its own stays that entry's alone.
TEST(EngineWordsTest, FoldsLettersBeyondTheCodePageUnlessTheFoldedWordIsAnEntry) {
  const EngineWords words({"e", "essere", "Città"});
  EXPECT_EQ(words.word("Verrà"), "verra");
  EXPECT_EQ(words.word("città"), "citta");
  EXPECT_EQ(words.word("è"), "");
  EXPECT_EQ(words.word("e"), "e");
  EXPECT_EQ(words.word("Šťastný"), "\x9A\x9D" "astn\xFD");
  EXPECT_EQ(words.word("l'ha"), "");
  EXPECT_EQ(words.word(std::string(256, 'a')), "");
}

TEST(EngineWordsTest, ACapitalisedEntryBesideItsLowerCaseSpellingIsANameThatLooksLikeAWord) {
  const EngineWords words({"do", "Do", "dům", "Dům", "Praha", "DPH"});
  EXPECT_TRUE(words.isCapitalOfAnEntry("Do"));
  EXPECT_TRUE(words.isCapitalOfAnEntry("Dům")) << "a capital beyond ASCII";
  EXPECT_FALSE(words.isCapitalOfAnEntry("dům")) << "the word itself";
  EXPECT_FALSE(words.isCapitalOfAnEntry("Praha")) << "no lower-case entry praha";
  EXPECT_FALSE(words.isCapitalOfAnEntry("DPH"));
}

}  // namespace
}  // namespace tarvek::lingdata
