// The active index database: its bytes, the list's operations on the fake
// file system and registry, and the installer's side.
#include <gtest/gtest.h>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/DatabaseFormat.h"
#include "catalogue/InstallerDatabase.h"
#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/CatalogueTestSupport.h"

namespace tarvek {
namespace {

using testing::sampleIndexEntry;
using namespace std::string_literals;

const std::string kEmptyDatabase = "\x01\x00\x0A\x00IDB ver. 1\x00\x00\x00\x00"s;
constexpr char kPluginFolder[] = "C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\Plug_ins\\Tarvek";

TEST(DatabaseFormatTest, EmptyDatabaseIsTheEighteenByteHeader) {
  EXPECT_EQ(serializeDatabase({}), kEmptyDatabase);
  DatabaseContent content;
  EXPECT_TRUE(parseDatabase(kEmptyDatabase, &content).whole());
  EXPECT_EQ(content.version, 1);
  EXPECT_EQ(content.magic, "IDB ver. 1");
  EXPECT_TRUE(content.entries.empty());
}

TEST(DatabaseFormatTest, EntryIsFortyTwoBytesPlusItsTextsInDiskOrder) {
  ActiveIndexEntry e = sampleIndexEntry("law");
  const std::string bytes = serializeDatabase({e});
  const size_t texts = e.indexPath.size() + e.mappingPath.size() + e.indexName.size() + e.indexerNumber.size();
  ASSERT_EQ(bytes.size(), 18 + texts + 42);
  // Texts: index path, mapping path, name, indexer number; then the numbers
  // from `created` on, the language as 16 bits between them.
  EXPECT_EQ(bytes.substr(18, 2 + e.indexPath.size()), "\x0E\x00"s + "d:\\idx\\law.sbi");
  EXPECT_EQ(bytes.substr(34, 2 + e.mappingPath.size()), "\x0E\x00"s + "d:\\idx\\law.sbf");
  const std::string numbers = bytes.substr(bytes.size() - 34);
  EXPECT_EQ(numbers,
            "\x00\x00\x21\x2D"s "\x04\x03\x02\x01"s "\x0D\x00\x00\x00"s "\x04\x00"s "\xFF\xFF\xFF\xFF"s
            "\x00\x00\x22\x2D"s "\x80\x00\x00\x00"s "\x20\x00\x00\x00"s "\xEF\xBE\xAD\xDE"s);
  DatabaseContent content;
  EXPECT_TRUE(parseDatabase(bytes, &content).whole());
  ASSERT_EQ(content.entries.size(), 1u);
  EXPECT_EQ(content.entries[0], e);
}

TEST(DatabaseFormatTest, EveryTruncationKeepsTheCompleteEntriesBeforeIt) {
  const std::vector<ActiveIndexEntry> entries = {sampleIndexEntry("a"), sampleIndexEntry("bb"),
                                                 sampleIndexEntry("ccc")};
  const std::string whole = serializeDatabase(entries);
  std::vector<size_t> ends = {18};  // where each complete entry ends
  for (size_t i = 0; i < entries.size(); ++i) ends.push_back(serializeDatabase({entries.begin(), entries.begin() + i + 1}).size());
  for (size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    DatabaseContent content;
    const ParseReport report = parseDatabase(std::string_view(whole).substr(0, length), &content);
    EXPECT_EQ(report.damage, Damage::truncated);
    EXPECT_LE(report.offset, length);
    size_t complete = 0;
    while (complete < entries.size() && ends[complete + 1] <= length) ++complete;
    ASSERT_EQ(content.entries.size(), complete);
    for (size_t i = 0; i < complete; ++i) EXPECT_EQ(content.entries[i], entries[i]);
  }
}

TEST(DatabaseFormatTest, DamagedCountsAndTextsStopAtTheirOffset) {
  const std::string one = serializeDatabase({sampleIndexEntry("a")});
  struct Case {
    const char* name;
    std::string bytes;
    Damage damage;
    size_t offset;
    size_t entries;
  };
  std::string negativeCount = one;
  negativeCount.replace(14, 4, "\xFF\xFF\xFF\xFF"s);
  std::string hugeCount = one;
  hugeCount.replace(14, 4, "\xFF\xFF\xFF\x7F"s);
  std::string negativeText = one;
  negativeText.replace(18, 2, "\x00\x80"s);
  std::string longText = one;
  longText.replace(18, 2, "\xFF\x7F"s);  // 32767 bytes, far more than stand behind
  std::string negativeMagic = kEmptyDatabase;
  negativeMagic.replace(2, 2, "\xF6\xFF"s);
  const Case cases[] = {
      {"negative count", negativeCount, Damage::negativeCount, 14, 0},
      {"huge count", hugeCount, Damage::truncated, one.size(), 1},
      {"negative text", negativeText, Damage::negativeLength, 18, 0},
      {"text longer than the file", longText, Damage::truncated, 18, 0},
      {"negative magic", negativeMagic, Damage::negativeLength, 2, 0},
      {"trailing bytes", one + "xyz", Damage::trailingBytes, one.size(), 1},
      {"empty file", "", Damage::truncated, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DatabaseContent content;
    const ParseReport report = parseDatabase(c.bytes, &content);
    EXPECT_EQ(report.damage, c.damage);
    EXPECT_EQ(report.offset, c.offset);
    EXPECT_EQ(content.entries.size(), c.entries);
    // A count that the bytes cannot fill reserves no more than they could.
    EXPECT_LE(content.entries.capacity(), c.bytes.size() / 42 + 1);
  }
}

TEST(DatabaseFormatTest, VersionAndMagicAreCarriedNotValidated) {
  std::string other = serializeDatabase({sampleIndexEntry("a")});
  other.replace(0, 2, "\x07\x00"s);
  other.replace(4, 10, "XXXXXXXXXX");
  DatabaseContent content;
  EXPECT_TRUE(parseDatabase(other, &content).whole());
  EXPECT_EQ(content.version, 7);
  EXPECT_EQ(content.magic, "XXXXXXXXXX");
  EXPECT_EQ(content.entries.size(), 1u);
}

TEST(DatabaseFormatTest, OverlongTextIsCutSoTheFileStaysReadable) {
  ActiveIndexEntry e = sampleIndexEntry("a");
  e.indexName = std::string(40000, 'n');
  DatabaseContent content;
  EXPECT_TRUE(parseDatabase(serializeDatabase({e}), &content).whole());
  ASSERT_EQ(content.entries.size(), 1u);
  EXPECT_EQ(content.entries[0].indexName.size(), 32767u);
}

class ActiveIndexListTest : public ::testing::Test {
 protected:
  void SetUp() override { env.module.setFileName(std::string(kPluginFolder) + "\\query.API"); }
  std::string registryValue(Hive hive) {
    const auto* value = env.registry.find(hive, settings::kProductKey, settings::kActiveIndexesPath);
    return value ? value->text : "<none>";
  }
  void putPath(Hive hive, const std::string& path) {
    env.registry.put(hive, settings::kProductKey, settings::kActiveIndexesPath, {testing::FakeRegistry::Type::string, path});
  }
  ActiveIndexList listWith(const std::vector<ActiveIndexEntry>& entries) {
    env.files.addFile("D:\\Data\\tarvek.idb", serializeDatabase(entries));
    putPath(Hive::localMachine, "D:\\Data\\tarvek.idb");
    ActiveIndexList list(env.env);
    list.loadDatabase();
    return list;
  }

  testing::FakeEnv env;
};

TEST_F(ActiveIndexListTest, PathComesFromMachineThenUserThenPluginFolderAndIsWrittenToBoth) {
  const std::string pluginDefault = std::string(kPluginFolder) + "\\tarvek.idb";
  env.files.addFolder("D:\\Machine");
  env.files.addFolder("E:\\User");
  struct Case {
    const char* name;
    std::string machine, user, expected;
  };
  const Case cases[] = {
      {"machine wins", "D:\\Machine\\m.idb", "E:\\User\\u.idb", "D:\\Machine\\m.idb"},
      {"machine folder gone", "D:\\Gone\\m.idb", "E:\\User\\u.idb", "E:\\User\\u.idb"},
      {"user only", "", "E:\\User\\u.idb", "E:\\User\\u.idb"},
      {"both folders gone", "D:\\Gone\\m.idb", "E:\\Gone\\u.idb", pluginDefault},
      {"no backslash", "tarvek.idb", "", pluginDefault},
      {"too long for the buffer", "D:\\Machine\\" + std::string(250, 'x'), "", pluginDefault},
      {"nothing", "", "", pluginDefault},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    env.registry.deleteKeyTree(Hive::localMachine, settings::kProductKey);
    env.registry.deleteKeyTree(Hive::currentUser, settings::kProductKey);
    if (!c.machine.empty()) putPath(Hive::localMachine, c.machine);
    if (!c.user.empty()) putPath(Hive::currentUser, c.user);
    ActiveIndexList list(env.env);
    list.resolveDatabasePath();
    EXPECT_EQ(list.databasePath(), c.expected);
    EXPECT_EQ(registryValue(Hive::localMachine), c.expected);
    EXPECT_EQ(registryValue(Hive::currentUser), c.expected);
  }
}

TEST_F(ActiveIndexListTest, PathResolvesEvenWhenTheRegistryRefusesWrites) {
  env.registry.failWrites(Hive::localMachine);
  ActiveIndexList list(env.env);
  list.resolveDatabasePath();
  EXPECT_EQ(list.databasePath(), std::string(kPluginFolder) + "\\tarvek.idb");
  EXPECT_EQ(registryValue(Hive::localMachine), "<none>");
  EXPECT_EQ(registryValue(Hive::currentUser), list.databasePath());
}

TEST_F(ActiveIndexListTest, SaveAndLoadRoundTripByteExactly) {
  ActiveIndexList list = listWith({sampleIndexEntry("a"), sampleIndexEntry("b")});
  ASSERT_EQ(list.count(), 2);
  EXPECT_TRUE(list.lastLoad().whole());
  const std::string before = *env.files.content("D:\\Data\\tarvek.idb");
  ASSERT_TRUE(list.saveDatabase());
  EXPECT_EQ(*env.files.content("D:\\Data\\tarvek.idb"), before);
  // Nothing is left beside the database.
  EXPECT_EQ(env.files.allFiles(), (std::vector<std::string>{"D:\\Data\\tarvek.idb"}));
}

TEST_F(ActiveIndexListTest, MissingOrDamagedFileLoadsWhatItCan) {
  ActiveIndexList missing(env.env);
  missing.loadDatabase();
  EXPECT_EQ(missing.count(), 0);
  EXPECT_TRUE(missing.lastLoad().whole());

  std::string bytes = serializeDatabase({sampleIndexEntry("a"), sampleIndexEntry("b")});
  bytes.resize(bytes.size() - 1);
  env.files.addFile("D:\\Data\\cut.idb", bytes);
  putPath(Hive::localMachine, "D:\\Data\\cut.idb");
  ActiveIndexList cut(env.env);
  cut.loadDatabase();
  EXPECT_EQ(cut.count(), 1);
  EXPECT_EQ(cut.lastLoad().damage, Damage::truncated);
}

TEST_F(ActiveIndexListTest, FailedSaveReportsAndLeavesTheOldFileWhole) {
  ActiveIndexList list = listWith({sampleIndexEntry("a")});
  const std::string before = *env.files.content("D:\\Data\\tarvek.idb");
  list.removeEntry(0);

  env.files.setDiskSpace(10);  // the new content does not fit
  EXPECT_FALSE(list.saveDatabase());
  EXPECT_EQ(*env.files.content("D:\\Data\\tarvek.idb"), before);
  EXPECT_EQ(env.files.allFiles().size(), 1u);  // the partial temporary file is gone

  env.files.setDiskSpace(1000);
  env.files.denyWritesUnder("D:\\Data");
  EXPECT_FALSE(list.saveDatabase());
  EXPECT_EQ(*env.files.content("D:\\Data\\tarvek.idb"), before);
}

TEST_F(ActiveIndexListTest, AddIndexStoresLowerCasePathAndEngineProperties) {
  ActiveIndexList list = listWith({});
  testing::ScriptedEngine engine;
  engine.numbers = {{1, 500}, {13, 3}, {17, 0x00050002}, {18, 4096}, {19, 0x2D210000}, {20, 0x2D220000}};
  engine.texts = {{257, "Z\xE1kony"}, {262, std::string(256, '7')}};  // the engine fills its whole buffer
  testing::RecordingAlert alert;
  EXPECT_EQ(list.addIndex("D:\\Idx\\\xC8" "esk\xDD.SBI", engine, alert), 0);  // "Český"
  const ActiveIndexEntry* e = list.currentEntry();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->indexPath, "d:\\idx\\\xE8" "esk\xFD.sbi");
  EXPECT_EQ(e->mappingPath, "d:\\idx\\\xE8" "esk\xFD.sbf");
  EXPECT_EQ(e->indexName, "Z\xE1kony");
  EXPECT_EQ(e->indexerNumber, std::string(255, '7'));
  EXPECT_EQ(e->wordCount, 500u);
  EXPECT_EQ(e->fileVersion, 3u);
  EXPECT_EQ(e->language, 2);
  EXPECT_EQ(e->indexSize, 4096u);
  EXPECT_EQ(e->created, 0x2D210000u);
  EXPECT_EQ(e->updated, 0x2D220000u);
  EXPECT_EQ(e->lemmatized, 0x80u);
  EXPECT_EQ(e->attribute20, 0x20u);
  EXPECT_EQ(e->reserved, 0u);
  const std::vector<std::string> calls = {"version", "open d:\\idx\\\xE8" "esk\xFD.sbi",
                                          "info 1", "info 13", "info 17", "info 18", "info 19", "info 20",
                                          "info 262", "info 257", "close 5"};
  EXPECT_EQ(engine.calls, calls);
  EXPECT_TRUE(alert.notes.empty());
}

TEST_F(ActiveIndexListTest, AddIndexFindsTheSameFileNameAnywhere) {
  ActiveIndexList list = listWith({sampleIndexEntry("other"), sampleIndexEntry("law")});
  testing::ScriptedEngine engine;
  testing::RecordingAlert alert;
  EXPECT_EQ(list.addIndex("E:\\Elsewhere\\LAW.sbi", engine, alert), 1);
  EXPECT_EQ(list.count(), 2);
  EXPECT_EQ(list.currentPosition(), 1);
  EXPECT_TRUE(engine.calls.empty());
}

TEST_F(ActiveIndexListTest, WrongEngineVersionIsShownAndAddingGoesOn) {
  ActiveIndexList list = listWith({});
  testing::ScriptedEngine engine;
  engine.version = 0x00030000;
  engine.handle = 0;  // and the index does not open
  testing::RecordingAlert alert;
  EXPECT_EQ(list.addIndex("d:\\idx\\law.sbi", engine, alert), 0);
  ASSERT_EQ(alert.notes.size(), 1u);
  EXPECT_EQ(alert.notes[0], env.module.text(kTextWrongEngineVersion));
  EXPECT_EQ(list.currentEntry()->indexName, "");
  EXPECT_EQ(list.currentEntry()->mappingPath, "d:\\idx\\law.sbf");
}

TEST_F(ActiveIndexListTest, RemoveEntryKeepsTheCursorOnAnEntry) {
  ActiveIndexList list = listWith({sampleIndexEntry("a"), sampleIndexEntry("b"), sampleIndexEntry("c")});
  EXPECT_EQ(list.removeEntry(-1), -1);  // no cursor yet
  EXPECT_EQ(list.removeEntry(3), -1);
  EXPECT_EQ(list.count(), 3);
  ASSERT_TRUE(list.setCurrent(2));
  EXPECT_EQ(list.removeEntry(-1), 1);
  EXPECT_EQ(list.currentPosition(), 1);
  EXPECT_EQ(list.currentName(), "Index b");
  EXPECT_EQ(list.removeEntry(0), 1);
  EXPECT_EQ(list.currentPosition(), 0);
  EXPECT_EQ(list.removeEntry(-1), 1);
  EXPECT_EQ(list.currentPosition(), -1);
  EXPECT_EQ(list.currentEntry(), nullptr);
  EXPECT_EQ(list.currentName(), "");
}

TEST_F(ActiveIndexListTest, FindsMoveTheCursorOnlyWhenTheyFind) {
  ActiveIndexList list = listWith({sampleIndexEntry("a"), sampleIndexEntry("b"), sampleIndexEntry("b")});
  EXPECT_EQ(list.findByName("Index b"), 1);
  EXPECT_EQ(list.findByName("index b"), -1);  // names compare exactly
  EXPECT_EQ(list.currentPosition(), 1);
  EXPECT_EQ(list.findByFileName("X:\\A.SBI"), 0);
  EXPECT_EQ(list.findByFileName("X:\\a.sbf"), -1);
  EXPECT_EQ(list.currentPosition(), 0);
  EXPECT_FALSE(list.setCurrent(3));
  EXPECT_FALSE(list.setCurrent(-1));
  EXPECT_EQ(list.currentPosition(), 0);
}

TEST_F(ActiveIndexListTest, EntryStatusAddsUpTheMissingFiles) {
  ActiveIndexList list = listWith({sampleIndexEntry("a")});
  EXPECT_EQ(list.entryStatus(), kIndexStatusBothMissing);  // no current entry
  list.setCurrent(0);
  EXPECT_EQ(list.entryStatus(), kIndexStatusBothMissing);
  env.files.addFile("D:\\Idx\\a.sbf", "");
  EXPECT_EQ(list.entryStatus(), kIndexStatusIndexMissing);
  env.files.addFolder("D:\\Idx\\a.sbi");  // any object counts
  EXPECT_EQ(list.entryStatus(), kIndexStatusOk);
  env.files.removeFile("D:\\Idx\\a.sbf");
  EXPECT_EQ(list.entryStatus(), kIndexStatusMappingMissing);
}

TEST_F(ActiveIndexListTest, LoadKeepsTheCursorButAStaleOneNamesNothing) {
  ActiveIndexList list = listWith({sampleIndexEntry("a"), sampleIndexEntry("b")});
  list.setCurrent(1);
  env.files.addFile("D:\\Data\\tarvek.idb", serializeDatabase({sampleIndexEntry("a")}));
  list.loadDatabase();
  EXPECT_EQ(list.currentPosition(), 1);
  EXPECT_EQ(list.currentEntry(), nullptr);
}

class InstallerDatabaseTest : public ::testing::Test {
 protected:
  uint16_t create(const std::string& path) {
    return createEmptyDatabase(env.files, path, [&](int kind, const std::string& p) {
      log.push_back(std::to_string(kind) + " " + p);
    });
  }
  testing::FakeEnv env;
  std::vector<std::string> log;
};

TEST_F(InstallerDatabaseTest, PathIsTheMachineValueWhoseFolderExistsOrTheInstallFolder) {
  EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Reader\\Plug_ins\\Tarvek\\"),
            "C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb");
  EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Plug"), "C:\\Plug\\tarvek.idb");
  env.files.addFolder("U:\\Data");
  env.registry.put(Hive::currentUser, settings::kProductKey, settings::kActiveIndexesPath, {testing::FakeRegistry::Type::string, "U:\\Data\\u.idb"});
  EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Plug"), "C:\\Plug\\tarvek.idb");  // the user's is not read
  // A folder that is gone since: as in the plug-in, the value is passed over.
  env.registry.put(Hive::localMachine, settings::kProductKey, settings::kActiveIndexesPath, {testing::FakeRegistry::Type::string, "D:\\Gone\\my.idb"});
  EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Plug"), "C:\\Plug\\tarvek.idb");
  env.files.addFolder("D:\\Gone");
  EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Plug"), "D:\\Gone\\my.idb");  // used unchanged
}

TEST_F(InstallerDatabaseTest, APathOnADriveOrShareNotSeenAtAllIsKept) {
  env.files.removeDrive("H:");
  for (const std::string stored : {"H:\\Indexy\\moje.idb", "\\\\srv\\home\\Indexy\\moje.idb"}) {
    SCOPED_TRACE(stored);
    env.registry.put(Hive::localMachine, settings::kProductKey, settings::kActiveIndexesPath,
                     {testing::FakeRegistry::Type::string, stored});
    EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Plug"), stored);
  }
  // The share is there, its folder is not: passed over as on a local drive.
  env.files.addFolder("\\\\srv\\home");
  EXPECT_EQ(installDatabasePath(env.registry, env.files, "C:\\Plug"), "C:\\Plug\\tarvek.idb");
  EXPECT_EQ(pathRoot("\\\\srv\\home"), "\\\\srv\\home");
  EXPECT_EQ(pathRoot("relative\\x.idb"), "");
}

TEST_F(InstallerDatabaseTest, ValidDatabaseIsKeptAnythingElseReplaced) {
  const std::string withEntries = serializeDatabase({sampleIndexEntry("a")});
  std::string otherCount = kEmptyDatabase;
  otherCount[14] = 9;  // the count is not examined
  struct Case {
    const char* name;
    std::optional<std::string> before;
    bool valid;
  };
  const Case cases[] = {
      {"missing", std::nullopt, false},
      {"empty file", "", false},
      {"17 bytes", kEmptyDatabase.substr(0, 17), false},
      {"version 2", "\x02"s + kEmptyDatabase.substr(1), false},
      {"magic count 11", kEmptyDatabase.substr(0, 2) + "\x0B" + kEmptyDatabase.substr(3), false},
      {"other magic", kEmptyDatabase.substr(0, 4) + "IDB ver. 2" + kEmptyDatabase.substr(14), false},
      {"with entries", withEntries, true},
      {"any count", otherCount, true},
  };
  env.files.addFolder("C:\\Db");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = std::string("C:\\Db\\") + c.name + ".idb";
    if (c.before) env.files.addFile(path, *c.before);
    EXPECT_EQ(isValidDatabase(env.files, path), c.valid);
    log.clear();
    EXPECT_EQ(create(path), kDatabaseReady);
    EXPECT_EQ(*env.files.content(path), c.valid ? *c.before : kEmptyDatabase);
    // What the installer does not recognise the plug-in may still read: its
    // bytes are kept, with no log line (the copy is the user's).
    const bool kept = !c.valid && c.before && !c.before->empty();
    EXPECT_EQ(env.files.content(path + ".damaged"), kept ? c.before : std::nullopt);
    EXPECT_EQ(log, std::vector<std::string>{"9 " + path});
  }
  env.files.addFolder("C:\\Db\\folder.idb");
  EXPECT_FALSE(isValidDatabase(env.files, "C:\\Db\\folder.idb"));
}

TEST_F(InstallerDatabaseTest, FailuresGiveTheirCodesAndNoLog) {
  env.files.addFolder("C:\\Locked");
  env.files.denyWritesUnder("C:\\Locked");
  EXPECT_EQ(create("C:\\Locked\\tarvek.idb"), kDatabaseCannotCreate);
  env.files.addFile("C:\\Unread\\tarvek.idb", "unreadable");
  env.files.denyRead("C:\\Unread\\tarvek.idb");  // its bytes cannot be kept: they are not overwritten
  EXPECT_EQ(create("C:\\Unread\\tarvek.idb"), kDatabaseCannotCreate);
  EXPECT_EQ(*env.files.content("C:\\Unread\\tarvek.idb"), "unreadable");
  env.files.removeFile("C:\\Unread\\tarvek.idb");
  env.files.addFile("C:\\Old\\tarvek.idb", "unrecognised");
  env.files.setDiskSpace(5);  // the old bytes cannot be kept: they are not overwritten
  EXPECT_EQ(create("C:\\Old\\tarvek.idb"), kDatabaseCannotCreate);
  EXPECT_EQ(env.files.allFiles(), std::vector<std::string>{"C:\\Old\\tarvek.idb"});
  EXPECT_EQ(*env.files.content("C:\\Old\\tarvek.idb"), "unrecognised");
  env.files.setDiskSpace(17);
  EXPECT_EQ(create("C:\\tarvek.idb"), kDatabaseIncomplete);
  EXPECT_FALSE(env.files.content("C:\\tarvek.idb"));  // the partial file is removed
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace tarvek
