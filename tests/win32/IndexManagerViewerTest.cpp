// The index manager and the excluded-words list in the stand-in viewer,
// opened from the test plug-in manager.API with the engine double, over real
// files and the registry, driven by the viewer's script mode as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "platform/win32/Win32Registry.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "tests/win32/ViewerRun.h"

namespace tarvek::testing {
namespace {

using Lines = std::vector<std::string>;

// 12.12.2001 as a DOS date in the high 16 bits.
constexpr uint32_t kDecember12th2001 = ((21u << 9) | (12u << 5) | 12u) << 16;

void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
}

std::string readBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The item lines that follow the control line starting with `control`.
Lines itemsAfter(const Lines& dump, const std::string& control) {
  Lines items;
  bool inside = false;
  for (const std::string& line : dump) {
    if (line.rfind("    item ", 0) != 0) {
      inside = line.rfind(control, 0) == 0;
      continue;
    }
    if (inside) items.push_back(line);
  }
  return items;
}

bool has(const Lines& lines, const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); }

// The dump of the index manager's controls from the n-th dump (0-based) in the output.
Lines nthDump(const Lines& output, const std::string& title, int n) {
  Lines found;
  int seen = -1;
  bool inside = false;
  for (const std::string& line : output) {
    if (line.rfind("dialog ", 0) == 0) {
      inside = line == "dialog \"" + title + "\"" && ++seen == n;
      if (inside) continue;
    } else if (line.rfind("  ", 0) != 0) {
      inside = false;
    }
    if (inside) found.push_back(line);
  }
  return found;
}

class IndexManagerViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer.copyInto(TARVEK_MANAGER_API, "Plug_ins\\Test\\manager.API");
    viewer.copyInto(TARVEK_ENGINE_DOUBLE, "Plug_ins\\Test\\vovar_av.dll");
    oldMachine = settings.readProductText(Hive::localMachine, settings::kActiveIndexesPath);
    oldUser = settings.readProductText(Hive::currentUser, settings::kActiveIndexesPath);
    settings.writeProductText(Hive::localMachine, settings::kActiveIndexesPath, database);
    settings.writeProductText(Hive::currentUser, settings::kActiveIndexesPath, database);
    engine("info 257 Z\xE1kony\ninfo 262 SN-7\ninfo 1 1234\ninfo 13 3\ninfo 17 2\ninfo 18 4096\ninfo 19 " +
           std::to_string(kDecember12th2001) + "\ninfo 20 " + std::to_string(kDecember12th2001) +
           "\nexcluded zebra about abo a\n");
  }
  // The prefix's registry is shared by every test: what was there goes back.
  void TearDown() override {
    restore(Hive::localMachine, oldMachine);
    restore(Hive::currentUser, oldUser);
  }
  void restore(Hive hive, const std::string& value) {
    if (value.empty())
      registry.deleteValue(hive, settings::kProductKey, settings::kActiveIndexesPath);
    else
      settings.writeProductText(hive, settings::kActiveIndexesPath, value);
  }

  void engine(const std::string& script) { writeBytes(viewer.folder() + "\\Plug_ins\\Test\\vovar_av.ini", script); }
  void databaseWith(const std::vector<ActiveIndexEntry>& entries) { writeBytes(database, serializeDatabase(entries)); }
  std::vector<ActiveIndexEntry> savedEntries() {
    DatabaseContent content;
    parseDatabase(readBytes(database), &content);
    return content.entries;
  }
  // An index file (empty: the engine double reads nothing) and, when
  // wanted, its mapping file listing `pdfs` below the data folder.
  std::string makeIndex(const std::string& relative, const std::vector<std::string>& pdfs, bool withMapping = true) {
    makeFolders(data / relative.substr(0, relative.find_last_of('\\')));
    writeBytes(data / (relative + ".sbi"), "");
    if (withMapping) {
      MappingContent mapping;
      mapping.version = kMappingVersion2;
      mapping.magic = kMappingMagic;
      for (const std::string& pdf : pdfs) {
        MappingEntry entry;
        entry.pdfPath = data / pdf;
        entry.pageCount = 1;
        entry.pageTopics = {1};
        mapping.entries.push_back(entry);
        writeBytes(entry.pdfPath, "%PDF-1.4\n");
      }
      writeBytes(data / (relative + ".sbf"), serializeMapping(mapping));
    }
    return data / (relative + ".sbi");
  }
  ActiveIndexEntry entryFor(const std::string& relative, const std::string& name) {
    ActiveIndexEntry entry;
    entry.indexPath = lower(data / (relative + ".sbi"));
    entry.mappingPath = lower(data / (relative + ".sbf"));
    entry.indexName = name;
    return entry;
  }
  // Opens the manager, runs the script, ends the viewer.
  Lines run(const std::string& script) {
    return viewer.run("menu Test:IndexManager\nwait \"Správa indexov\"\n" + script + "quit\n");
  }

  ViewerRun viewer;
  ScratchFolder data{"im-data"};
  std::string database = data / "tarvek.idb";
  win32::Win32Registry registry;
  settings::Settings settings{registry};
  std::string oldMachine, oldUser;
};

TEST_F(IndexManagerViewerTest, AddedIndexShowsItsPropertiesAndWordsAndKoniecSavesIt) {
  databaseWith({});
  const std::string law = makeIndex("idx\\Law", {"pdf\\b.pdf", "pdf\\a.pdf"});
  const Lines output = run(
      "dump\n"
      "click Pridať...\n"
      "openfile \"" + law + "\"\n"
      "dump\n"
      "click \"Vylúč. slová...\"\n"
      "wait \"Zoznam vylúčených slov\"\n"
      "chars \"Hľadané slovo\" AB\n"
      "dump\n"
      "chars \"Hľadané slovo\" x\n"
      "dump\n"
      "type \"Hľadané slovo\" \"\"\n"
      "chars \"Hľadané slovo\" " + std::string(51, 'q') + "\n"
      "dump\n"
      "click Storno\n"
      "click Koniec\n");
  SCOPED_TRACE(::testing::PrintToString(output));

  const Lines empty = nthDump(output, "Správa indexov", 0);
  EXPECT_TRUE(has(empty, "  ListBox #1401 \"\" enabled"));
  EXPECT_TRUE(has(empty, "  Button #1405 \"&Odstrániť...\" disabled"));
  EXPECT_TRUE(has(empty, "  Static #1428 \"\" enabled"));
  EXPECT_TRUE(has(empty, "  ComboBox #1410 \"\" disabled"));
  EXPECT_TRUE(has(empty, "  Button #1408 \"Lematizovaný\" disabled unchecked"));

  const Lines added = nthDump(output, "Správa indexov", 1);
  EXPECT_TRUE(has(added, "    item \"  Zákony\" selected"));
  EXPECT_TRUE(has(added, "    item \"" + data / "pdf\\a.pdf\""));
  EXPECT_TRUE(has(added, "    item \"" + data / "pdf\\b.pdf\""));
  EXPECT_TRUE(has(added, "  Edit #1412 \"" + lower(law) + "\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1414 \"2\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1416 \"1234\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1418 \"12.12.2001\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1420 \"12.12.2001\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1422 \"3\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1424 \"SN-7\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1426 \"4096\" enabled"));
  EXPECT_TRUE(has(added, "  Static #1428 \"OK\" enabled"));
  EXPECT_TRUE(has(added, "  ComboBox #1410 \"Český\" disabled"));
  EXPECT_TRUE(has(added, "  Button #1405 \"&Odstrániť...\" enabled"));

  const Lines words = nthDump(output, "Zoznam vylúčených slov", 0);
  EXPECT_TRUE(has(words, "  Edit #1451 \"Zákony\" enabled"));
  EXPECT_TRUE(has(words, "  Edit #1453 \"ab\" enabled")) << "typed capitals become small letters";
  EXPECT_EQ(itemsAfter(words, "  ListBox #1455"),
            (Lines{"    item \"a\"", "    item \"abo\" selected", "    item \"about\"", "    item \"zebra\""}));
  const Lines unmatched = nthDump(output, "Zoznam vylúčených slov", 1);
  EXPECT_TRUE(has(unmatched, "  Edit #1453 \"abx\" enabled"));
  EXPECT_TRUE(has(unmatched, "    item \"abo\" selected")) << "no match keeps the selection";
  const Lines limited = nthDump(output, "Zoznam vylúčených slov", 2);
  EXPECT_TRUE(has(limited, "  Edit #1453 \"" + std::string(50, 'q') + "\" enabled"));

  const std::vector<ActiveIndexEntry> saved = savedEntries();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].indexPath, lower(law));
  EXPECT_EQ(saved[0].indexName, "Z\xE1kony");
  EXPECT_EQ(saved[0].created, kDecember12th2001);
}

TEST_F(IndexManagerViewerTest, EnterClosesWithoutSaving) {
  databaseWith({});
  const std::string before = readBytes(database);
  const std::string law = makeIndex("idx\\law", {});
  const Lines output = run("click Pridať...\nopenfile \"" + law + "\"\nkey ENTER\n");
  SCOPED_TRACE(::testing::PrintToString(output));
  EXPECT_EQ(readBytes(database), before);
}

TEST_F(IndexManagerViewerTest, DuplicateNameAndMissingMappingAreRefused) {
  makeIndex("idx\\law", {"a.pdf"});
  databaseWith({entryFor("idx\\law", "Z\xE1kony")});
  const std::string other = makeIndex("other\\LAW", {});
  const std::string lonely = makeIndex("other\\lonely", {}, false);
  const Lines output = run(
      "click Pridať...\n"
      "openfile \"" + other + "\"\n"
      "wait Chyba\n"
      "dump\n"
      "click OK\n"
      "click Pridať...\n"
      "openfile \"" + lonely + "\"\n"
      "wait Chyba\n"
      "dump\n"
      "click OK\n"
      "dump\n"
      "click Koniec\n");
  SCOPED_TRACE(::testing::PrintToString(output));
  const Lines duplicate = nthDump(output, "Chyba", 0);
  EXPECT_TRUE(has(duplicate, "  Static #202 \"Tento index už existuje v zozname indexov\" enabled"));
  EXPECT_TRUE(has(duplicate, "  Static #204 \"" + other + "\" enabled"));
  const Lines missing = nthDump(output, "Chyba", 1);
  EXPECT_TRUE(has(missing, "  Static #202 \"Neexistuje mapovací (sbf) súbor\" enabled"));
  EXPECT_TRUE(has(missing, "  Static #204 \"" + lonely + "\" enabled"));
  const Lines after = nthDump(output, "Správa indexov", 0);
  EXPECT_EQ(itemsAfter(after, "  ListBox #1401"), (Lines{"    item \"  Zákony\" selected"}));
  EXPECT_EQ(savedEntries().size(), 1u);
}

TEST_F(IndexManagerViewerTest, MissingFilesAreMarkedAndTheLastIndexCanBeRemoved) {
  makeIndex("idx\\noindex", {"x.pdf"});
  DeleteFileA((data / "idx\\noindex.sbi").c_str());
  makeIndex("idx\\nolist", {}, false);
  databaseWith({entryFor("idx\\noindex", "Bez indexu"), entryFor("idx\\nolist", "Bez zoznamu")});
  const Lines output = run(
      "dump\n"
      "select Indexy \"! Bez zoznamu\"\n"
      "dump\n"
      "click Odstrániť...\n"
      "wait \"TarvekPDF Search\"\n"
      "click #2\n"  // Cancel keeps the entry
      "dump\n"
      "click Odstrániť...\n"
      "wait \"TarvekPDF Search\"\n"
      "dump\n"
      "click #1\n"
      "click Odstrániť...\n"
      "wait \"TarvekPDF Search\"\n"
      "click #1\n"
      "dump\n"
      "click Koniec\n");
  SCOPED_TRACE(::testing::PrintToString(output));
  const Lines first = nthDump(output, "Správa indexov", 0);
  EXPECT_TRUE(has(first, "    item \"! Bez indexu\" selected"));
  EXPECT_TRUE(has(first, "    item \"! Bez zoznamu\""));
  EXPECT_TRUE(has(first, "  Static #1428 \"Chýba index\" enabled"));
  EXPECT_TRUE(has(first, "    item \"" + data / "x.pdf\""));
  const Lines second = nthDump(output, "Správa indexov", 1);
  EXPECT_TRUE(has(second, "  Static #1428 \"Chýba zoz. súborov\" enabled"));
  EXPECT_TRUE(has(second, "  Static #1414 \"0\" enabled"));
  EXPECT_FALSE(has(second, "    item \"" + data / "x.pdf\""));
  const Lines question = nthDump(output, "TarvekPDF Search", 0);
  EXPECT_TRUE(std::any_of(question.begin(), question.end(), [](const std::string& l) {
    return l.find("\"Skutočne chcete odstrániť index zo zoznamu?\"") != std::string::npos;
  }));
  const Lines cancelled = nthDump(output, "Správa indexov", 2);
  EXPECT_TRUE(has(cancelled, "    item \"! Bez indexu\""));
  EXPECT_TRUE(has(cancelled, "    item \"! Bez zoznamu\" selected"));
  const Lines none = nthDump(output, "Správa indexov", 3);
  EXPECT_TRUE(itemsAfter(none, "  ListBox #1401").empty());
  EXPECT_TRUE(has(none, "  Button #1405 \"&Odstrániť...\" disabled"));
  EXPECT_TRUE(has(none, "  Static #1428 \"\" enabled"));
  EXPECT_TRUE(savedEntries().empty());
  // Nothing was deleted from the disk.
  EXPECT_EQ(GetFileAttributesA((data / "idx\\nolist.sbi").c_str()) != INVALID_FILE_ATTRIBUTES, true);
}

TEST_F(IndexManagerViewerTest, ChangesThatCannotBeSavedAreReportedWithThePath) {
  makeIndex("idx\\law", {});
  databaseWith({entryFor("idx\\law", "Z\xE1kony")});
  const std::string before = readBytes(database);
  SetFileAttributesA(database.c_str(), FILE_ATTRIBUTE_READONLY);
  // Only looking loses nothing; a removal is lost and said so.
  const Lines output = run("click Koniec\nwait Chyba 1\nmenu Test:IndexManager\nwait \"Správa indexov\"\n"
                           "click Odstrániť...\nwait \"TarvekPDF Search\"\nclick #1\nclick Koniec\nwait Chyba\ndump\n"
                           "click OK\n");
  SetFileAttributesA(database.c_str(), FILE_ATTRIBUTE_NORMAL);
  SCOPED_TRACE(::testing::PrintToString(output));
  EXPECT_TRUE(has(output, "timeout \"Chyba\""));
  const Lines report = nthDump(output, "Chyba", 0);
  EXPECT_TRUE(has(report, "  Static #202 \"Zmeny v zozname indexov sa nepodarilo uložiť do súboru\" enabled"));
  EXPECT_TRUE(has(report, "  Static #206 \"" + database + "\" enabled"));
  EXPECT_EQ(readBytes(database), before);
}

TEST_F(IndexManagerViewerTest, EntriesOfOneNameAreShownAndRemovedAsPicked) {
  // Written by another program: two entries named alike.
  makeIndex("idx\\law", {"a.pdf"});
  makeIndex("idx\\law2", {"b.pdf"});
  databaseWith({entryFor("idx\\law", "Z\xE1kony"), entryFor("idx\\law2", "Z\xE1kony")});
  // The first line is selected when the dialog opens; `select` picks the last.
  const Lines output = run("dump\nselect Indexy \"  Zákony\"\ndump\nclick Odstrániť...\nwait \"TarvekPDF Search\"\n"
                           "click #1\nclick Koniec\n");
  SCOPED_TRACE(::testing::PrintToString(output));
  auto shownPath = [&](int dump) {
    for (const std::string& line : nthDump(output, "Správa indexov", dump))
      if (line.rfind("  Edit #1412 ", 0) == 0) return line;
    return std::string();
  };
  const std::string first = shownPath(0), last = shownPath(1);
  EXPECT_NE(first, last);
  const std::vector<ActiveIndexEntry> saved = savedEntries();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(first, "  Edit #1412 \"" + saved[0].indexPath + "\" enabled") << "the picked one was removed";
}

TEST_F(IndexManagerViewerTest, DamagedDatabaseIsKeptAsideOnceAndSaidSo) {
  makeIndex("idx\\law", {});
  std::string damaged = serializeDatabase({entryFor("idx\\law", "Z\xE1kony"), entryFor("idx\\tax", "Dane")});
  damaged.resize(damaged.size() - 5);
  writeBytes(database, damaged);
  const Lines output = run("click Koniec\nwait Varovanie\ndump\nclick OK\n");
  SCOPED_TRACE(::testing::PrintToString(output));
  const Lines note = nthDump(output, "Varovanie", 0);
  EXPECT_TRUE(has(note, "  Static #202 \"Súbor zoznamu indexov bol poškodený, jeho pôvodný obsah je uložený v súbore\" enabled"));
  EXPECT_TRUE(has(note, "  Static #206 \"" + database + ".damaged\" enabled"));
  EXPECT_EQ(readBytes(database + ".damaged"), damaged);
  EXPECT_EQ(savedEntries().size(), 1u);
}

TEST_F(IndexManagerViewerTest, HundredThousandExcludedWordsAreListedAndLookedUp) {
  std::string words = "excluded";
  for (int i = 99999; i >= 0; --i) {
    char word[16];
    std::snprintf(word, sizeof word, " w%06d", (i * 7919) % 100000);  // every number once, out of order
    words += word;
  }
  engine(words + "\n");
  makeIndex("idx\\law", {});
  databaseWith({entryFor("idx\\law", "Z\xE1kony")});
  const Lines output = run("click \"Vylúč. slová...\"\nwait \"Zoznam vylúčených slov\" 20\nchars \"Hľadané slovo\" W05\ndump\n");
  const Lines dump = nthDump(output, "Zoznam vylúčených slov", 0);
  const Lines items = itemsAfter(dump, "  ListBox #1455");
  ASSERT_EQ(items.size(), 100000u);
  EXPECT_EQ(items[0], "    item \"w000000\"");
  EXPECT_EQ(items[50000], "    item \"w050000\" selected");
}

}  // namespace
}  // namespace tarvek::testing
