// The index manager's rules: line marks, property texts, adding, removing,
// and saving the list safely when the dialog closes.
#include <gtest/gtest.h>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/ExcludedWords.h"
#include "catalogue/IndexManager.h"
#include "catalogue/MappingFormat.h"
#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/CatalogueTestSupport.h"

namespace tarvek {
namespace {

using testing::sampleIndexEntry;
using testing::sampleMappingEntry;

constexpr char kDatabase[] = "D:\\Data\\tarvek.idb";

// A DOS date as the engine hands it: in the high 16 bits.
constexpr uint32_t dosDate(unsigned day, unsigned month, unsigned year) {
  return (((year - 1980) << 9) | (month << 5) | day) << 16;
}

TEST(IndexManagerRules, LinesAreMarkedByStatus) {
  EXPECT_EQ(indexLine(kIndexStatusOk, "Zákony"), "  Zákony");
  EXPECT_EQ(indexLine(kIndexStatusIndexMissing, "Zákony"), "! Zákony");
  EXPECT_EQ(indexLine(kIndexStatusMappingMissing, ""), "! ");
  EXPECT_EQ(indexLine(kIndexStatusBothMissing, "a"), "! a");
}

TEST(IndexManagerRules, EachStatusHasItsText) {
  testing::FakeModule texts;
  EXPECT_EQ(texts.text(statusTextId(kIndexStatusOk)), "OK");
  EXPECT_EQ(texts.text(statusTextId(kIndexStatusIndexMissing)), "Ch\xFD" "ba index");
  EXPECT_EQ(texts.text(statusTextId(kIndexStatusMappingMissing)), "Ch\xFD" "ba zoz. s\xFA" "borov");
  EXPECT_EQ(texts.text(statusTextId(kIndexStatusBothMissing)), "Ch\xFD" "ba index a zoz. s\xFA" "borov");
}

TEST(IndexManagerRules, DatesAreDayMonthYearWithoutLeadingZeros) {
  EXPECT_EQ(formatDosDate(dosDate(12, 12, 2001)), "12.12.2001");
  EXPECT_EQ(formatDosDate(dosDate(1, 2, 1999) | 0xFFFF), "1.2.1999");  // the low half is the time
  EXPECT_EQ(formatDosDate(dosDate(31, 12, 2107)), "31.12.2107");
  EXPECT_EQ(formatDosDate(0), "0.0.1980");  // an engine that gave nothing
  EXPECT_EQ(formatDosDate(0xFFFFFFFF), "31.15.2107");
}

class IndexManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env.registry.put(Hive::localMachine, settings::kProductKey, settings::kActiveIndexesPath,
                     {testing::FakeRegistry::Type::string, kDatabase});
    engine.numbers = {{1, 1234}, {13, 7}, {17, 0x00010001}, {18, 99}, {19, dosDate(12, 12, 2001)},
                      {20, dosDate(3, 4, 2005)}};
    engine.texts = {{257, "Nov\xFD"}, {262, "SN-1"}};
  }
  void database(const std::vector<ActiveIndexEntry>& entries) { env.files.addFile(kDatabase, serializeDatabase(entries)); }
  void mapping(const std::string& path, std::vector<MappingEntry> entries, std::vector<std::string> folders = {}) {
    MappingContent content;
    content.version = kMappingVersion2;
    content.magic = kMappingMagic;
    content.folderList = std::move(folders);
    content.entries = std::move(entries);
    env.files.addFile(path, serializeMapping(content));
  }
  std::vector<ActiveIndexEntry> saved() {
    DatabaseContent content;
    parseDatabase(*env.files.content(kDatabase), &content);
    return content.entries;
  }

  testing::FakeEnv env;
  testing::ScriptedEngine engine;
  testing::RecordingAlert alert;
  IndexManager manager{env.env, engine, alert};
};

TEST_F(IndexManagerTest, LinesAreMarkedByTheFilesOnTheDisk) {
  database({sampleIndexEntry("law"), sampleIndexEntry("tax")});
  env.files.addFile("D:\\Idx\\law.sbi", "");
  env.files.addFile("D:\\Idx\\law.sbf", "");
  env.files.addFile("D:\\Idx\\tax.sbf", "");
  manager.load();
  EXPECT_EQ(manager.lines(), (std::vector<std::string>{"  Index law", "! Index tax"}));
}

TEST_F(IndexManagerTest, PropertiesComeFromTheEntryAndTheFilesFromTheDisk) {
  ActiveIndexEntry law = sampleIndexEntry("law");
  law.created = dosDate(12, 12, 2001);
  law.updated = dosDate(5, 1, 2002);
  law.language = 8;  // the last of the nine
  database({law});
  env.files.addFile("D:\\Idx\\law.sbi", "");
  mapping("D:\\Idx\\law.sbf", {sampleMappingEntry("D:\\Pdf\\b.pdf", {1}), sampleMappingEntry("D:\\Pdf\\a.pdf", {2})},
          {"D:\\Pdf\\"});
  env.files.addFile("D:\\Pdf\\new.pdf", "");  // found by the folder scan
  manager.load();
  const auto p = manager.properties(0);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->files, (std::vector<std::string>{"D:\\Pdf\\b.pdf", "D:\\Pdf\\a.pdf", "D:\\Pdf\\new.pdf"}));
  EXPECT_EQ(p->fileCount, "3");
  EXPECT_EQ(p->indexPath, "d:\\idx\\law.sbi");
  EXPECT_EQ(p->wordCount, "4294967295");
  EXPECT_EQ(p->created, "12.12.2001");
  EXPECT_EQ(p->updated, "5.1.2002");
  EXPECT_EQ(p->fileVersion, "13");
  EXPECT_EQ(p->indexerNumber, "IX-law");
  EXPECT_EQ(p->indexSize, "16909060");
  EXPECT_EQ(p->status, "OK");
  EXPECT_EQ(p->language, 8);
  EXPECT_TRUE(p->lemmatized);
  EXPECT_FALSE(manager.properties(1).has_value());
  EXPECT_FALSE(manager.properties(-1).has_value());
}

TEST_F(IndexManagerTest, MissingMappingShowsNoFilesAndItsStatus) {
  ActiveIndexEntry law = sampleIndexEntry("law");
  law.language = 9;
  law.lemmatized = 0;
  database({law});
  manager.load();
  const auto p = manager.properties(0);
  ASSERT_TRUE(p.has_value());
  EXPECT_TRUE(p->files.empty());
  EXPECT_EQ(p->fileCount, "0");
  EXPECT_EQ(p->status, env.module.text(kTextStatusBothMissing));
  EXPECT_EQ(p->language, -1);
  EXPECT_FALSE(p->lemmatized);
  env.files.addFile("D:\\Idx\\law.sbi", "");
  EXPECT_EQ(manager.properties(0)->status, env.module.text(kTextStatusMappingMissing));
}

TEST_F(IndexManagerTest, AddRefusesDuplicatesAndIndexesWithoutMapping) {
  database({sampleIndexEntry("law")});
  env.files.addFile("E:\\Other\\LAW.sbi", "");  // listed by its file name, and without a mapping
  env.files.addFile("E:\\Other\\new.sbi", "");
  manager.load();
  std::string line = "untouched";
  int entry = -7;
  EXPECT_EQ(manager.add("E:\\Other\\LAW.sbi", &line, &entry), AddOutcome::alreadyListed);
  EXPECT_EQ(manager.add("E:\\Other\\new.sbi", &line, &entry), AddOutcome::mappingMissing);
  EXPECT_EQ(line, "untouched");
  EXPECT_EQ(entry, -7);
  EXPECT_EQ(manager.count(), 1);
  EXPECT_TRUE(engine.calls.empty());

  env.files.addFile("E:\\Other\\new.sbf", "");
  EXPECT_EQ(manager.add("E:\\Other\\New.SBI", &line, &entry), AddOutcome::added);
  EXPECT_EQ(line, "  Nov\xFD");
  ASSERT_EQ(manager.count(), 2);
  ASSERT_EQ(entry, 1);
  const ActiveIndexEntry* added = manager.entryAt(entry);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->indexPath, "e:\\other\\new.sbi");
  EXPECT_EQ(added->mappingPath, "e:\\other\\new.sbf");
  EXPECT_EQ(manager.properties(entry)->created, "12.12.2001");

  // Another file whose engine name is listed already: asked, then refused.
  env.files.addFile("F:\\Copy\\again.sbi", "");
  env.files.addFile("F:\\Copy\\again.sbf", "");
  EXPECT_EQ(manager.add("F:\\Copy\\again.sbi", &line, &entry), AddOutcome::alreadyListed);
  EXPECT_EQ(manager.count(), 2);
  EXPECT_EQ(manager.entryAt(1)->indexPath, "e:\\other\\new.sbi");
  EXPECT_EQ(manager.save().changesLost, false);
  EXPECT_EQ(saved().size(), 2u);
}

TEST_F(IndexManagerTest, EntriesOfOneNameAreShownAndRemovedByPosition) {
  // Written by another program: two entries named alike.
  ActiveIndexEntry second = sampleIndexEntry("tax");
  second.indexName = sampleIndexEntry("law").indexName;
  database({sampleIndexEntry("law"), second});
  manager.load();
  EXPECT_EQ(manager.lines()[0], manager.lines()[1]);
  EXPECT_EQ(manager.properties(1)->indexPath, "d:\\idx\\tax.sbi");
  EXPECT_TRUE(manager.remove(1));
  EXPECT_FALSE(manager.remove(-1)) << "no entry is meant";
  EXPECT_TRUE(manager.save().saved);
  ASSERT_EQ(saved().size(), 1u);
  EXPECT_EQ(saved()[0].indexPath, "d:\\idx\\law.sbi");
}

TEST_F(IndexManagerTest, IndexTheEngineCannotOpenIsAddedWithNothingAskedOfIt) {
  database({});
  env.files.addFile("E:\\Idx\\bad.sbf", "");
  engine.handle = 0;
  engine.attributes = 0x80;
  manager.load();
  std::string line;
  int position = -1;
  EXPECT_EQ(manager.add("E:\\Idx\\bad.sbi", &line, &position), AddOutcome::added);
  EXPECT_EQ(engine.calls, (std::vector<std::string>{"version", "open e:\\idx\\bad.sbi"}));
  EXPECT_EQ(line, "  ");
  const ActiveIndexEntry* entry = manager.entryAt(position);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->mappingPath, "e:\\idx\\bad.sbf");
  EXPECT_EQ(entry->wordCount, 0u);
  EXPECT_EQ(entry->lemmatized, 0x80u);  // what the failed open left

  // A second such index has no name to clash with the first.
  env.files.addFile("E:\\Idx\\worse.sbf", "");
  EXPECT_EQ(manager.add("E:\\Idx\\worse.sbi", &line, &position), AddOutcome::added);
  EXPECT_EQ(position, 1);
  EXPECT_EQ(manager.count(), 2);
}

TEST_F(IndexManagerTest, RemoveTakesOnlyTheListEntryAndSaveWritesTheList) {
  database({sampleIndexEntry("law"), sampleIndexEntry("tax")});
  env.files.addFile("D:\\Idx\\law.sbi", "keep");
  manager.load();
  EXPECT_FALSE(manager.remove(2));
  EXPECT_TRUE(manager.remove(0));
  EXPECT_EQ(manager.lines(), (std::vector<std::string>{"! Index tax"}));
  EXPECT_EQ(saved().size(), 2u) << "nothing reaches the file before the save";
  EXPECT_TRUE(manager.remove(0));
  EXPECT_EQ(manager.count(), 0);
  const SaveOutcome outcome = manager.save();
  EXPECT_TRUE(outcome.saved);
  EXPECT_EQ(outcome.databasePath, kDatabase);
  EXPECT_TRUE(outcome.damagedCopy.empty());
  EXPECT_TRUE(saved().empty());
  EXPECT_EQ(*env.files.content("D:\\Idx\\law.sbi"), "keep");
}

TEST_F(IndexManagerTest, SaveSaysWhereADamagedDatabaseWasKept) {
  std::string damaged = serializeDatabase({sampleIndexEntry("law"), sampleIndexEntry("tax")});
  damaged.resize(damaged.size() - 3);
  env.files.addFile(kDatabase, damaged);
  manager.load();
  ASSERT_TRUE(manager.remove(0));
  const SaveOutcome outcome = manager.save();
  EXPECT_TRUE(outcome.saved);
  EXPECT_EQ(outcome.damagedCopy, std::string(kDatabase) + ".damaged");
  EXPECT_EQ(*env.files.content(outcome.damagedCopy), damaged);
}

TEST_F(IndexManagerTest, UnwritableDatabaseIsReportedWithItsPathOnlyWhenChangesAreLost) {
  database({sampleIndexEntry("law")});
  env.files.denyWritesUnder("D:\\Data");
  manager.load();
  SaveOutcome outcome = manager.save();
  EXPECT_FALSE(outcome.saved);
  EXPECT_FALSE(outcome.changesLost) << "only looked";
  manager.remove(0);
  outcome = manager.save();
  EXPECT_FALSE(outcome.saved);
  EXPECT_TRUE(outcome.changesLost);
  EXPECT_EQ(outcome.databasePath, kDatabase);
  EXPECT_EQ(saved().size(), 1u);
}

// What a failed save loses is what was added or removed since the last save
// that worked.
TEST_F(IndexManagerTest, ChangesLostAreTheAddsAndRemovesSinceTheLastGoodSave) {
  database({sampleIndexEntry("law")});
  env.files.addFile("E:\\Other\\new.sbi", "");
  env.files.addFile("E:\\Other\\new.sbf", "");
  manager.load();
  env.files.setReadOnly(kDatabase, true);
  std::string line;
  int entry = -1;
  ASSERT_EQ(manager.add("E:\\Other\\new.sbi", &line, &entry), AddOutcome::added);
  SaveOutcome outcome = manager.save();
  EXPECT_FALSE(outcome.saved);
  EXPECT_TRUE(outcome.changesLost) << "the added index";

  env.files.setReadOnly(kDatabase, false);
  EXPECT_TRUE(manager.save().saved);
  EXPECT_EQ(saved().size(), 2u);
  env.files.setReadOnly(kDatabase, true);
  outcome = manager.save();
  EXPECT_FALSE(outcome.saved);
  EXPECT_FALSE(outcome.changesLost) << "everything is on the disk already";
}

class DatabaseSaveTest : public IndexManagerTest {
 protected:
  ActiveIndexList list{env.env};
};

TEST_F(DatabaseSaveTest, FailedRenameKeepsTheOldBytesAndLeavesNoTemporaryFile) {
  database({sampleIndexEntry("law")});
  const std::string before = *env.files.content(kDatabase);
  list.loadDatabase();
  list.removeEntry(0);
  env.files.failReplace(true);
  EXPECT_FALSE(list.saveDatabase());
  EXPECT_EQ(*env.files.content(kDatabase), before);
  EXPECT_EQ(env.files.allFiles(), (std::vector<std::string>{kDatabase}));
}

TEST_F(DatabaseSaveTest, TwoViewersSavingAtOnceLoseNeitherSaveTheLastWins) {
  database({});
  ActiveIndexList other(env.env);
  list.loadDatabase();
  other.loadDatabase();
  env.files.addFile("D:\\Idx\\a.sbf", "");
  env.files.addFile("D:\\Idx\\b.sbf", "");
  list.addIndex("D:\\Idx\\a.sbi", engine, alert);
  other.addIndex("D:\\Idx\\b.sbi", engine, alert);
  // The other viewer saves while this one is between writing and renaming.
  bool otherSaved = false;
  env.files.onReplace([&] { otherSaved = other.saveDatabase(); });
  EXPECT_TRUE(list.saveDatabase());
  EXPECT_TRUE(otherSaved);
  ASSERT_EQ(saved().size(), 1u);
  EXPECT_EQ(saved()[0].indexPath, "d:\\idx\\a.sbi");
  EXPECT_EQ(env.files.allFiles(),
            (std::vector<std::string>{"D:\\Data\\tarvek.idb", "D:\\Idx\\a.sbf", "D:\\Idx\\b.sbf"}));
}

TEST_F(DatabaseSaveTest, FolderWithoutRoomForATemporaryFileIsWrittenInPlace) {
  database({sampleIndexEntry("law"), sampleIndexEntry("tax")});
  env.files.denyTemporaryFilesUnder("D:\\Data");
  list.loadDatabase();
  list.removeEntry(0);
  EXPECT_TRUE(list.saveDatabase());
  EXPECT_EQ(saved().size(), 1u);
  EXPECT_EQ(env.files.allFiles(), (std::vector<std::string>{kDatabase}));
  // Written in place on a disk that fills: not saved.
  list.removeEntry(0);
  env.files.setDiskSpace(10);
  EXPECT_FALSE(list.saveDatabase());
}

TEST_F(DatabaseSaveTest, ReadOnlyDatabaseStaysAsItWas) {
  database({sampleIndexEntry("law")});
  const std::string before = *env.files.content(kDatabase);
  env.files.setReadOnly(kDatabase, true);
  list.loadDatabase();
  list.removeEntry(0);
  EXPECT_FALSE(list.saveDatabase());
  env.files.denyTemporaryFilesUnder("D:\\Data");  // and when it would be written in place
  EXPECT_FALSE(list.saveDatabase());
  EXPECT_EQ(*env.files.content(kDatabase), before);
  EXPECT_EQ(env.files.allFiles(), (std::vector<std::string>{kDatabase}));
}

TEST_F(DatabaseSaveTest, DamagedDatabaseIsKeptBesideItOnceBeforeTheFirstSave) {
  std::string damaged = serializeDatabase({sampleIndexEntry("law"), sampleIndexEntry("tax")});
  damaged.resize(damaged.size() - 3);
  env.files.addFile(kDatabase, damaged);
  env.files.addFile(std::string(kDatabase) + ".damaged", "an earlier copy");
  list.loadDatabase();
  ASSERT_EQ(list.count(), 1);
  EXPECT_TRUE(list.saveDatabase());
  EXPECT_EQ(list.damagedCopy(), std::string(kDatabase) + ".damaged2");
  EXPECT_EQ(*env.files.content(std::string(kDatabase) + ".damaged2"), damaged);
  EXPECT_EQ(*env.files.content(std::string(kDatabase) + ".damaged"), "an earlier copy");
  EXPECT_EQ(saved().size(), 1u);
  // Said once: the next save over the now whole file keeps nothing more.
  EXPECT_TRUE(list.saveDatabase());
  EXPECT_EQ(list.damagedCopy(), "");
  EXPECT_EQ(env.files.allFiles().size(), 3u);
}

TEST_F(DatabaseSaveTest, DamagedDatabaseThatCannotBeKeptIsNotOverwritten) {
  std::string damaged = serializeDatabase({sampleIndexEntry("law")}) + "x";
  damaged[14] = 2;  // two entries announced, one there
  env.files.addFile(kDatabase, damaged);
  list.loadDatabase();
  env.files.setDiskSpace(10);  // the copy does not fit
  EXPECT_FALSE(list.saveDatabase());
  EXPECT_EQ(*env.files.content(kDatabase), damaged);
  EXPECT_EQ(env.files.allFiles(), (std::vector<std::string>{kDatabase}));
}

TEST(ExcludedWordsTest, WordsComeFromTheOpenIndexWhichIsClosedAgain) {
  testing::FakeModule texts;
  testing::ScriptedEngine engine;
  testing::RecordingAlert alert;
  engine.keys = {"and", "a", "the"};
  std::vector<std::string> words;
  auto collect = [&](const std::string& word) { words.push_back(word); };
  EXPECT_TRUE(readExcludedWords(engine, alert, texts, "d:\\idx\\law.sbi", collect));
  EXPECT_EQ(words, engine.keys);
  EXPECT_EQ(engine.calls, (std::vector<std::string>{"version", "open d:\\idx\\law.sbi", "enum 5 16", "close 5"}));

  // An index that does not open gives no words and no message; a wrong
  // engine version is shown first.
  engine.calls.clear();
  engine.handle = 0;
  engine.version = 0x00010000;
  words.clear();
  EXPECT_FALSE(readExcludedWords(engine, alert, texts, "d:\\idx\\gone.sbi", collect));
  EXPECT_TRUE(words.empty());
  EXPECT_EQ(engine.calls, (std::vector<std::string>{"version", "open d:\\idx\\gone.sbi"}));
  EXPECT_EQ(alert.notes, (std::vector<std::string>{texts.text(kTextWrongEngineVersion)}));
}

}  // namespace
}  // namespace tarvek
