// The search dialog, the About box and the help command of query.API in the
// stand-in viewer, driven by its script mode: with the real stand-in engine
// over two small indexes made here, the search history in the real registry,
// and a second viewer run that offers what the first one searched.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "platform/win32/Win32Services.h"
#include "resources/Version.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "platform/Cp1250.h"
#include "standins/engine/LingWriter.h"
#include "standins/engine/SbiWriter.h"
#include "tests/win32/ViewerRun.h"

namespace tarvek::testing {
namespace {

using Lines = std::vector<std::string>;

// The lines from the first equal to `first` up to the next one starting with
// `stop` (excluded), or to the end.
Lines section(const Lines& output, const std::string& first, size_t skip = 0) {
  Lines found;
  bool inside = false;
  for (const std::string& line : output) {
    if (!inside && line == first && skip-- == 0) inside = true;
    else if (inside && line.rfind("  ", 0) != 0) break;
    if (inside) found.push_back(line);
  }
  return found;
}

bool contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

constexpr char kOnePagePdf[] =
    "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
    "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
    "3 0 obj << /Type /Page /Parent 2 0 R >> endobj\ntrailer << /Root 1 0 R >>\n%%EOF\n";

class SearchDialogViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wipeRegistry();
    viewer.installPlugIn(false);
    viewer.copyInto(TARVEK_ENGINE_DLL, "Plug_ins\\Tarvek\\vovar_av.dll");
    // Slovak lemmas, no synonyms: the language rule has something to show.
    sbi::ling::LingSource slovakLemmas;
    slovakLemmas.lemmas["kniha"] = {"knihy", "knihou"};
    write(data / "ling_sk.tld", sbi::ling::buildLingData(0, slovakLemmas));
    viewer.copyInto(data / "ling_sk.tld", "Plug_ins\\Tarvek\\ling_sk.tld");
    makeIndexes();
    settings().writeProductText(Hive::localMachine, settings::kActiveIndexesPath, data / "tarvek.idb");
  }
  void TearDown() override { wipeRegistry(); }
  void wipeRegistry() {
    env.env().registry.deleteKeyTree(Hive::localMachine, settings::kProductKey);
    env.env().registry.deleteKeyTree(Hive::currentUser, settings::kProductKey);
  }
  settings::Settings settings() { return settings::Settings(env.env().registry); }
  void write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The only index of the active list: one PDF of one page holding `utf8Text`.
  void makeOnePageIndex(const std::string& name, const std::string& file, uint16_t language,
                        const std::string& utf8Text) {
    sbi::IndexBuilder builder;
    builder.setName(name);
    builder.setLanguage(language);
    builder.beginPage(1);
    builder.addText(cp1250::fromUtf8(utf8Text));
    write(data / (file + ".sbi"), builder.build());
    write(data / (file + ".pdf"), std::string("%PDF-1.4\n"));
    MappingContent mapping;
    mapping.version = kMappingVersion2;
    mapping.magic = kMappingMagic;
    MappingEntry pdf;
    pdf.pdfPath = data / (file + ".pdf");
    pdf.pageCount = 1;
    pdf.pageTopics = {1};
    mapping.entries = {pdf};
    mapping.entryCount = 1;
    write(data / (file + ".sbf"), serializeMapping(mapping));
    ActiveIndexEntry entry;
    entry.indexName = name;
    entry.indexPath = data / (file + ".sbi");
    entry.mappingPath = data / (file + ".sbf");
    entry.language = language;
    write(data / "tarvek.idb", serializeDatabase({entry}));
  }
  void write(const std::string& path, const std::vector<uint8_t>& bytes) {
    write(path, std::string(bytes.begin(), bytes.end()));
  }

  // "Knihy (SK)" (Slovak) and "Books (EN)" (English), each over one PDF of
  // two pages, topics 1 and 2, in the active index list; "Zákony (SK)" only
  // on the disk, for the index manager to add.
  void makeIndexes() {
    struct Index {
      std::string name, file;
      uint16_t language;
      std::string page1, page2;
    };
    std::vector<ActiveIndexEntry> entries;
    for (const Index& index : {Index{"Knihy (SK)", "knihy", 0, "kniha o z\xE1kone", "pero a kniha"},
                               Index{"Books (EN)", "books", 1, "a book of law", "kniha in the garden"},
                               Index{"Z\xE1kony (SK)", "zakony", 0, "z\xE1kon o odpadoch", "odpad a kniha"}}) {
      sbi::IndexBuilder builder;
      builder.setName(index.name);
      builder.setLanguage(index.language);
      builder.beginPage(1);
      builder.addText(index.page1);
      builder.beginPage(2);
      builder.addText(index.page2);
      write(data / (index.file + ".sbi"), builder.build());
      write(data / (index.file + ".pdf"), std::string("%PDF-1.4\n"));
      MappingContent mapping;
      mapping.version = kMappingVersion2;
      mapping.magic = kMappingMagic;
      MappingEntry pdf;
      pdf.pdfPath = data / (index.file + ".pdf");
      pdf.pdfTitle = index.name;
      pdf.pageCount = 2;
      pdf.pageTopics = {1, 2};
      mapping.entries = {pdf};
      mapping.entryCount = 1;
      write(data / (index.file + ".sbf"), serializeMapping(mapping));
      ActiveIndexEntry entry;
      entry.indexName = index.name;
      entry.indexPath = data / (index.file + ".sbi");
      entry.mappingPath = data / (index.file + ".sbf");
      entry.language = index.language;
      if (index.file != "zakony") entries.push_back(entry);
    }
    write(data / "tarvek.idb", serializeDatabase(entries));
  }

  win32::Win32Env env{win32::currentModule()};
  ScratchFolder data{"search-dialog"};
  ViewerRun viewer;
};

TEST_F(SearchDialogViewerTest, SearchThroughTheDialogAndItsHistoryAfterARestart) {
  const Lines first = viewer.run(
      "enabled VELT:SearchResults\n"
      "menu VELT:Search\n"
      "wait Vyhľadanie\n"
      "dump\n"
      "type #1202 zákon\n"
      "click Žiadny\n"
      "dump\n"
      "click #1218\n"  // "Vš&etky"; the language box shows "Všetky" too

      "type #1204 \"NEAR (blízko)\"\n"
      "type #1206 \"\"\n"
      "chars #1206 123\n"  // the distance takes two characters
      "type #1213 Anglický\n"
      "dump\n"
      "type #1206 8\n"
      "type #1213 Slovenský\n"
      "dump\n"
      "type #1213 Všetky\n"
      "type #1204 \"OR (alebo)\"\n"
      "type #1202 neexistuje\n"
      "click Hľadať\n"
      "wait Varovanie\n"
      "dump\n"
      "click OK\n"
      "wait Vyhľadanie\n"
      "type #1202 kniha\n"
      "click Hľadať\n"
      "wait Vyhľadanie 1\n"
      "enabled VELT:SearchResults\n"
      "enabled VELT:NextHit\n"
      "quit\n");
  const std::string all = joined(first);
  ASSERT_TRUE(contains(first, "init VELT_fIDXQuery true")) << all;
  EXPECT_EQ(linesStartingWith(first, "enabled "),
            (Lines{"enabled VELT:SearchResults false", "enabled VELT:SearchResults true", "enabled VELT:NextHit true"}))
      << all;

  // The first opening ever.
  const Lines opening = section(first, "dialog \"Vyhľadanie\"");
  for (const char* line : {
           "  Static #1201 \"Hľadané slovo alebo spojenie:\" enabled",
           "  Edit #1202 \"\" enabled",
           "  Button #1203 \"HISTORY\" disabled",
           "  ComboBox #1204 \"AND (a zároveň)\" enabled",
           "    item \"AND (a zároveň)\" selected",
           "  Static #1205 \"NEAR je:\" enabled",
           "  Edit #1206 \"8\" disabled",
           "  Button #1207 \"Lingvistické možnosti:\" enabled",
           "  Button #1208 \"Le&matizátor\" enabled unchecked",
           "  Button #1209 \"Syn&onymá\" enabled unchecked",
           "  Button #1210 \"Fuzzy &Dia\" enabled unchecked",
           "  Button #1211 \"Fuzzy &Typo\" enabled unchecked",
           "  Static #1212 \"Jazyk:\" enabled",
           "    item \"Všetky\" selected",
           "    item \"Španielsky\"",
           "  Button #1214 \"Hľadať v:\" enabled",
           "  Button #1215 \"Akt. súbor\" disabled unchecked",
           "  Button #1216 \"Pred. hľad.\" disabled unchecked",
           "  Button #1217 \"V indexoch:\" enabled checked",
           "  Button #1218 \"Vš&etky\" enabled",
           "  Button #1219 \"Žiad&ny\" enabled",
           "  ListBox #1220 \"\" enabled",
           "    item \"Books (EN)\" selected",
           "    item \"Knihy (SK)\" selected",
           "  Button #1221 \"&Hľadať\" disabled",
           "  Button #2 \"&Storno\" enabled",
           "  Button #1223 \"&Výsledky...\" disabled",
           "  Button #1224 \"&Indexy...\" enabled",
           "  Static #1225 \"Kelbo, s.r.o.\" enabled",
           "  Static #1226 \"Drelin, s.r.o.\" enabled",
           "  Static #1227 \"Ver. 1.00\" enabled",
       })
    EXPECT_TRUE(contains(opening, line)) << line << "\n" << joined(opening);

  // Typed text enables "&Hľadať"; "Žiad&ny" leaves no index and disables it.
  const Lines none = section(first, "dialog \"Vyhľadanie\"", 1);
  EXPECT_TRUE(contains(none, "  Edit #1202 \"zákon\" enabled")) << joined(none);
  EXPECT_TRUE(contains(none, "    item \"Books (EN)\"")) << joined(none);
  EXPECT_TRUE(contains(none, "  Button #1221 \"&Hľadať\" disabled")) << joined(none);

  // NEAR enables the distance; English has neither module in this engine,
  // Slovak has lemmas only.
  const Lines english = section(first, "dialog \"Vyhľadanie\"", 2);
  EXPECT_TRUE(contains(english, "  Edit #1206 \"12\" enabled")) << joined(english);
  EXPECT_TRUE(contains(english, "  Button #1208 \"Le&matizátor\" disabled unchecked")) << joined(english);
  EXPECT_TRUE(contains(english, "  Button #1209 \"Syn&onymá\" disabled unchecked")) << joined(english);
  EXPECT_TRUE(contains(english, "  Button #1221 \"&Hľadať\" enabled")) << joined(english);
  const Lines slovak = section(first, "dialog \"Vyhľadanie\"", 3);
  EXPECT_TRUE(contains(slovak, "  Button #1208 \"Le&matizátor\" enabled unchecked")) << joined(slovak);
  EXPECT_TRUE(contains(slovak, "  Button #1209 \"Syn&onymá\" disabled unchecked")) << joined(slovak);

  // Nothing found: the warning, and the dialog stays.
  const Lines warning = section(first, "dialog \"Varovanie\"");
  EXPECT_TRUE(contains(warning, "  Static #202 \"Neexistuje súbor spĺňajúci zadané kritéria hľadania\" enabled"))
      << all;
  EXPECT_EQ(linesStartingWith(first, "shown "),
            (Lines{"shown \"Vyhľadanie\"", "shown \"Varovanie\"", "shown \"Vyhľadanie\""}))
      << "a search that finds files closes the dialog\n" << all;

  // The history in the real registry: newest first, with the operator.
  settings::Settings stored = settings();
  EXPECT_EQ(stored.readUserText(settings::kSearchHistoryKey, "SearchEdit0"), "kniha");
  EXPECT_EQ(stored.readUserNumber(settings::kSearchHistoryKey, "Operator0"), 1u);
  EXPECT_EQ(stored.readUserText(settings::kSearchHistoryKey, "SearchEdit1"), "neexistuje");
  EXPECT_EQ(stored.readUserNumber(settings::kSearchHistoryKey, "Near"), 8u);

  // A new viewer offers both queries and loads the older one.
  const Lines second = viewer.run(
      "menu VELT:Search\n"
      "wait Vyhľadanie\n"
      "dump\n"
      "click HISTORY\n"
      "popup\n"
      "choose neexistuje\n"
      "popup\n"
      "dump\n"
      "click Storno\n"
      "quit\n");
  const std::string secondText = joined(second);
  const Lines reopened = section(second, "dialog \"Vyhľadanie\"");
  EXPECT_TRUE(contains(reopened, "  Edit #1202 \"kniha\" enabled")) << secondText;
  EXPECT_TRUE(contains(reopened, "    item \"OR (alebo)\" selected")) << secondText;
  EXPECT_TRUE(contains(reopened, "  Button #1203 \"HISTORY\" enabled")) << secondText;
  EXPECT_TRUE(contains(reopened, "  Button #1221 \"&Hľadať\" enabled")) << secondText;
  EXPECT_TRUE(contains(reopened, "  Button #1216 \"Pred. hľad.\" disabled unchecked"))
      << "a new viewer has no result" << secondText;
  EXPECT_EQ(section(second, "popup below #1203"),
            (Lines{"popup below #1203", "  item \"kniha\" #10000", "  item \"neexistuje\" #10001"}))
      << secondText;
  EXPECT_TRUE(contains(second, "no popup")) << "the choice closes the menu\n" << secondText;
  const Lines loaded = section(second, "dialog \"Vyhľadanie\"", 1);
  EXPECT_TRUE(contains(loaded, "  Edit #1202 \"neexistuje\" enabled")) << secondText;
}

TEST_F(SearchDialogViewerTest, FailingIndexIsReportedOverTheDialogAndTheSearchGoesOn) {
  // The engine double: "Books (EN)" cannot be opened; Slovak has lemmas;
  // every query finds topic 1.
  viewer.copyInto(TARVEK_ENGINE_DOUBLE, "Plug_ins\\Tarvek\\vovar_av.dll");
  write(viewer.folder() + "\\Plug_ins\\Tarvek\\vovar_av.ini",
        "failopen books 17\nling 0 1\ntopic 1 3\ntrace " + (data / "trace.txt") + "\n");
  const Lines output = viewer.run(
      "menu VELT:Search\n"
      "wait Vyhľadanie\n"
      "type #1202 " + std::string(300, 'x') + "\n"
      "dump\n"
      "type #1202 kniha\n"
      "click Lematizátor\n"
      "click Hľadať\n"
      "wait Chyba\n"
      "dump\n"
      // Hľadať again under the warning, which has no owner: ignored while
      // the first search runs.
      "raise Vyhľadanie\n"
      "click Hľadať\n"
      "raise Chyba\n"
      "click OK\n"
      "wait Vyhľadanie 1\n"
      "enabled VELT:NextHit\n"
      "quit\n");
  const std::string all = joined(output);
  EXPECT_TRUE(contains(section(output, "dialog \"Vyhľadanie\""), "  Edit #1202 \"" + std::string(256, 'x') + "\" enabled"))
      << "the query holds at most 256 characters\n" << all;
  const Lines error = section(output, "dialog \"Chyba\"");
  EXPECT_TRUE(contains(error, "  Static #202 \"Chyba pri otvorení indexu\" enabled")) << all;
  EXPECT_TRUE(contains(error, "  Static #204 \"" + (data / "books.sbi") + "\" enabled")) << all;
  EXPECT_TRUE(contains(error, "  Static #207 \"17\" enabled")) << all;
  EXPECT_TRUE(contains(output, "timeout \"Vyhľadanie\"")) << "the other index found a file\n" << all;
  EXPECT_TRUE(contains(output, "enabled VELT:NextHit true")) << all;

  std::ifstream trace(data / "trace.txt");
  Lines queries;
  for (std::string line; std::getline(trace, line);)
    if (line.rfind("IndexQuery ", 0) == 0) queries.push_back(line.substr(line.rfind(' ') + 1));
  // AND with lemmatization, which the Slovak index's language has: 0x01A0;
  // one search only, though Hľadať was pressed twice.
  EXPECT_EQ(queries, (Lines{std::to_string(0x01A0)}));
}

TEST_F(SearchDialogViewerTest, EachSelectedLineSearchesItsOwnEntryWhenTwoShareAName) {
  // Another program wrote "Knihy (SK)" twice, for two indexes; the sorted
  // list shows "Books (EN)" first.
  std::vector<ActiveIndexEntry> entries;
  for (const auto& [name, file] : {std::pair{"Knihy (SK)", "knihy"}, std::pair{"Books (EN)", "books"},
                                   std::pair{"Knihy (SK)", "zakony"}}) {
    ActiveIndexEntry entry;
    entry.indexName = name;
    entry.indexPath = data / (std::string(file) + ".sbi");
    entry.mappingPath = data / (std::string(file) + ".sbf");
    entries.push_back(entry);
  }
  write(data / "tarvek.idb", serializeDatabase(entries));
  viewer.copyInto(TARVEK_ENGINE_DOUBLE, "Plug_ins\\Tarvek\\vovar_av.dll");
  write(viewer.folder() + "\\Plug_ins\\Tarvek\\vovar_av.ini", "topic 1 3\ntrace " + (data / "trace.txt") + "\n");
  const Lines output = viewer.run(
      "menu VELT:Search\nwait Vyhľadanie\ntype #1202 kniha\nselect #1220 \"Books (EN)\"\nclick Hľadať\n"
      "wait \"TarvekPDF Search - Výsledky hľadania\"\necho all\n"
      "menu VELT:Search\nwait Vyhľadanie\nclick #1218\nclick Hľadať\nwait \"TarvekPDF Search - Výsledky hľadania\"\n"
      "quit\n");
  std::ifstream trace(data / "trace.txt");
  Lines opened;
  for (std::string line; std::getline(trace, line);)
    if (line.rfind("IndexOpen ", 0) == 0) opened.push_back(line.substr(10));
  ASSERT_EQ(opened.size(), 4u) << joined(output);
  EXPECT_EQ(opened[0], data / "books.sbi");
  std::sort(opened.begin() + 1, opened.end());
  EXPECT_EQ(Lines(opened.begin() + 1, opened.end()),
            (Lines{data / "books.sbi", data / "knihy.sbi", data / "zakony.sbi"}));
}

TEST_F(SearchDialogViewerTest, TheBuiltLanguageDataOffersBothModulesAndFindsAFormNoTableListed) {
  viewer.copyInto(TARVEK_LINGDATA_DIR "\\ling_sk.tld", "Plug_ins\\Tarvek\\ling_sk.tld");
  viewer.copyInto(TARVEK_LINGDATA_DIR "\\ling_en.tld", "Plug_ins\\Tarvek\\ling_en.tld");
  // A page of the sample collection's bee-keeping text: "Včelár" twice,
  // never "včelárovi".
  makeOnePageIndex("Vcely (SK)", "vcely", 0,
                   "Včelár na jar kontroluje zásoby medu a zdravie včelstva. Ak je zima dlhá, včely "
                   "môžu vyhladovať, preto im včelár pridáva cukrový roztok.");

  const Lines output = viewer.run(
      "menu VELT:Search\n"
      "wait Vyhľadanie\n"
      "type #1213 Anglický\n"
      "dump\n"
      "type #1213 Slovenský\n"
      "dump\n"
      "type #1202 včelárovi\n"
      "click Hľadať\n"
      "wait Varovanie\n"
      "click OK\n"
      "wait Vyhľadanie\n"
      "click Lematizátor\n"
      "click Hľadať\n"
      "wait \"TarvekPDF Search - Výsledky hľadania\"\n"
      "dump\n"
      "quit\n");
  const std::string all = joined(output);
  for (int language : {0, 1}) {
    const Lines dialog = section(output, "dialog \"Vyhľadanie\"", language);
    EXPECT_TRUE(contains(dialog, "  Button #1208 \"Le&matizátor\" enabled unchecked")) << all;
    EXPECT_TRUE(contains(dialog, "  Button #1209 \"Syn&onymá\" enabled unchecked")) << all;
  }
  EXPECT_TRUE(contains(output, "shown \"Varovanie\"")) << "the form itself is on no page\n" << all;
  const Lines results = linesStartingWith(output, "    item \"vcely.pdf | 2 | 1 |");
  EXPECT_EQ(results.size(), 1u) << "both forms of \"včelár\" on the one page\n" << all;
}

// Hungarian stacks its suffixes (kifejezés, its possessive -e, the allative
// -hez): the built data must reach the lemma from a form no page holds.
TEST_F(SearchDialogViewerTest, TheBuiltHungarianDataFindsTheLemmaOfACaseFormNoPageHolds) {
  viewer.copyInto(TARVEK_LINGDATA_DIR "\\ling_hu.tld", "Plug_ins\\Tarvek\\ling_hu.tld");
  makeOnePageIndex("Kifejezesek (HU)", "kifejezesek", 5,
                   "Az új kifejezés beírása után a program kiszámítja a kifejezések értékét.");
  const Lines output = viewer.run(
      "menu VELT:Search\n"
      "wait Vyhľadanie\n"
      "type #1213 Maďarský\n"
      "type #1202 kifejezéséhez\n"
      "click Lematizátor\n"
      "click Hľadať\n"
      "wait \"TarvekPDF Search - Výsledky hľadania\"\n"
      "dump\n"
      "quit\n");
  EXPECT_EQ(linesStartingWith(output, "    item \"kifejezesek.pdf | 2 | 1 |").size(), 1u)
      << "kifejezés and kifejezések on the one page\n" << joined(output);
}

TEST_F(SearchDialogViewerTest, AboutShowsTheModulesVersionAndHelpOpensTheDefaultDocument) {
  // The help document the build makes, laid out as the viewer folder has it.
  viewer.copyInto(TARVEK_HELP_DOCUMENT, "Plug_ins\\Tarvek\\TarvekPDFSearch.pdf");
  const Lines output = viewer.run(
      "menu VELT:About\n"
      "wait \"TarvekPDF Search\"\n"
      "dump\n"
      "click OK\n"
      "menu VELT:HelpTarvekQueryMenu\n"
      "log\n"
      "quit\n");
  const std::string all = joined(output);
  const Lines about = section(output, "dialog \"TarvekPDF Search\"");
  EXPECT_TRUE(contains(about, "  Static #1250 \"TarvekPDF Search plug in\" enabled")) << all;
  EXPECT_TRUE(contains(about, std::string("  Static #1251 \"Ver.") + TARVEK_VERSION_TEXT + "\" enabled")) << all;
  EXPECT_TRUE(contains(about, "  Button #1 \"OK\" enabled")) << all;
  ASSERT_EQ(linesStartingWith(output, "opened ").size(), 1u) << all;
  const std::string opened = linesStartingWith(output, "opened ")[0];
  const std::string expected = "opened \"" + viewer.folder() + "\\Plug_ins\\Tarvek\\TarvekPDFSearch.pdf\" pages ";
  EXPECT_EQ(opened.substr(0, expected.size()), expected) << all;
  EXPECT_GT(std::atoi(opened.c_str() + std::min(expected.size(), opened.size())), 0) << "a real document\n" << all;
}

TEST_F(SearchDialogViewerTest, NamedHelpFileIsOpenedAndAMissingOneOpensNothing) {
  write(viewer.folder() + "\\Plug_ins\\Tarvek\\TarvekPDFSearch.pdf", std::string(kOnePagePdf));
  write(data / "Pomoc.pdf", std::string(kOnePagePdf));
  settings().writeProductText(Hive::localMachine, settings::kHelpFile, data / "Chyba.pdf");
  const Lines missing = viewer.run("menu VELT:HelpTarvekQueryMenu\nlog\nquit\n");
  EXPECT_TRUE(linesStartingWith(missing, "opened ").empty()) << joined(missing);
  settings().writeProductText(Hive::localMachine, settings::kHelpFile, data / "Pomoc.pdf");
  const Lines named = viewer.run("menu VELT:HelpTarvekQueryMenu\nlog\nquit\n");
  ASSERT_EQ(linesStartingWith(named, "opened ").size(), 1u) << joined(named);
  EXPECT_NE(linesStartingWith(named, "opened ")[0].find("Pomoc.pdf"), std::string::npos) << joined(named);
}

TEST_F(SearchDialogViewerTest, AnIndexAddedInTheManagerIsListedAfterKoniecButNotAfterEnter) {
  const std::string added = data / "zakony.sbi";
  const Lines output = viewer.run(
      "menu VELT:Search\nwait Vyhľadanie\n"
      "click &Indexy...\nwait \"Správa indexov\"\nclick &Pridať...\nopenfile \"" + added + "\"\n"
      "wait \"Správa indexov\"\nkey ENTER\nwait Vyhľadanie\ndump\n"
      "click &Indexy...\nwait \"Správa indexov\"\nclick &Pridať...\nopenfile \"" + added + "\"\n"
      "wait \"Správa indexov\"\nclick &Koniec\nwait Vyhľadanie\ndump\n"
      "click #1218\ntype #1202 odpad\nclick Hľadať\nwait \"TarvekPDF Search - Výsledky hľadania\" 10\ndump\n");
  const std::string text = joined(output);
  const Lines afterEnter = section(output, "dialog \"Vyhľadanie\"");
  const Lines afterKoniec = section(output, "dialog \"Vyhľadanie\"", 1);
  ASSERT_FALSE(afterEnter.empty()) << text;
  ASSERT_FALSE(afterKoniec.empty()) << text;
  EXPECT_FALSE(contains(afterEnter, "    item \"Zákony (SK)\"")) << text;
  EXPECT_TRUE(contains(afterKoniec, "    item \"Zákony (SK)\"")) << text;
  // The new index can be searched at once ("Vš&etky" chose it with the others).
  EXPECT_NE(text.find("zakony.pdf"), std::string::npos) << text;
}

}  // namespace
}  // namespace tarvek::testing
