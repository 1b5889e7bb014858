// Mapping files: both versions, damaged input, path variables, the refresh
// from the disk, the folder scan, the lookups, and mappings kept between
// searches.
#include <gtest/gtest.h>

#include <random>

#include "catalogue/MappingCache.h"
#include "catalogue/MappingFile.h"
#include "catalogue/MappingFormat.h"
#include "catalogue/PathVariables.h"
#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/CatalogueTestSupport.h"

namespace tarvek {
namespace {

using testing::sampleMappingEntry;
using namespace std::string_literals;

constexpr char kMappingPath[] = "D:\\Idx\\law.sbf";

MappingContent sampleContent(uint16_t version) {
  MappingContent content;
  content.version = version;
  content.magic = kMappingMagic;
  content.nextNumber = 42;
  content.numberList = {7, 65535};
  content.entries = {sampleMappingEntry("D:\\Pdf\\a.pdf", {10, 11, 12}), sampleMappingEntry("D:\\Pdf\\b.pdf", {}),
                     sampleMappingEntry("D:\\Pdf\\c.pdf", {20, 11})};
  content.entryCount = 3;
  return content;
}

TEST(MappingFormatTest, BothVersionsReadTheSameContent) {
  for (uint16_t version : {kMappingVersion1, kMappingVersion2}) {
    SCOPED_TRACE(version);
    MappingContent content = sampleContent(version);
    content.folderList = {"D:\\Pdf\\", "$DOCS\\"};
    const std::string bytes = serializeMapping(content);
    MappingContent read;
    EXPECT_TRUE(parseMapping(bytes, &read).whole());
    EXPECT_EQ(read.version, version);
    EXPECT_EQ(read.magic, content.magic);
    EXPECT_EQ(read.nextNumber, 42u);
    EXPECT_EQ(read.numberList, content.numberList);
    EXPECT_EQ(read.folderList, content.folderList);
    EXPECT_EQ(read.entries, content.entries);
    EXPECT_EQ(serializeMapping(read), bytes);
  }
}

TEST(MappingFormatTest, VersionTwoEntryStartsWithItsLength) {
  MappingContent content = sampleContent(kMappingVersion2);
  content.entries.resize(1);
  const std::string bytes = serializeMapping(content);
  // Header: version, magic, counter, two numbers, no folders, one entry.
  const size_t entryAt = 2 + 12 + 4 + 2 + 4 + 2 + 2;
  const MappingEntry& e = content.entries[0];
  const uint32_t length = (2 + 12) + (2 + 3) + (2 + e.pdfTitle.size()) + 12 + 4 * 3;
  EXPECT_EQ(bytes.substr(entryAt, 4), (std::string{char(length), 0, 0, 0}));
  EXPECT_EQ(bytes.size(), entryAt + 4 + length);
}

// Every cut of a file keeps exactly the entries that end before the cut.
TEST(MappingFormatTest, EveryTruncationKeepsTheCompleteEntries) {
  for (uint16_t version : {kMappingVersion1, kMappingVersion2}) {
    const MappingContent content = sampleContent(version);
    const std::string whole = serializeMapping(content);
    std::vector<size_t> ends;
    for (size_t i = 0; i <= content.entries.size(); ++i) {
      MappingContent part = content;
      part.entries.resize(i);
      ends.push_back(serializeMapping(part).size());
    }
    for (size_t length = 0; length < whole.size(); ++length) {
      SCOPED_TRACE("version " + std::to_string(version) + ", length " + std::to_string(length));
      MappingContent read;
      const ParseReport report = parseMapping(std::string_view(whole).substr(0, length), &read);
      EXPECT_EQ(report.damage, Damage::truncated);
      EXPECT_LE(report.offset, length);
      size_t complete = 0;
      while (complete < content.entries.size() && ends[complete + 1] <= length) ++complete;
      ASSERT_EQ(read.entries.size(), complete);
      for (size_t i = 0; i < complete; ++i) EXPECT_EQ(read.entries[i], content.entries[i]);
    }
  }
}

TEST(MappingFormatTest, DamagedFieldsStopOrAreReadAsEmpty) {
  const std::string v2 = serializeMapping(sampleContent(kMappingVersion2));
  const std::string v1 = serializeMapping(sampleContent(kMappingVersion1));
  const size_t entriesAt = 2 + 12 + 4 + 2 + 4 + 2 + 2;  // the first entry
  const size_t itemsAt = entriesAt + 4;                  // its items, in version 2
  const size_t pageCountAt = entriesAt + (2 + 12) + (2 + 3) + (2 + 21) + 4;  // in version 1
  auto with = [](std::string bytes, size_t at, const std::string& patch) { return bytes.replace(at, patch.size(), patch); };
  struct Case {
    const char* name;
    std::string bytes;
    Damage damage;
    size_t offset;
    size_t entries;
  };
  const Case cases[] = {
      {"length shorter than the entry", with(v2, entriesAt, "\x10\x00\x00\x00"s), Damage::entryOverrunsBlock,
       itemsAt + 14, 0},
      {"length longer than the file", with(v2, entriesAt, "\xFF\xFF\xFF\x7F"s), Damage::truncated, entriesAt, 0},
      {"negative text length", with(v1, entriesAt, "\x00\x80"s), Damage::negativeLength, entriesAt, 0},
      {"text longer than its block", with(v2, itemsAt, "\x00\x01"s), Damage::entryOverrunsBlock, itemsAt, 0},
      {"negative page count", with(v1, pageCountAt, "\xFF\xFF\xFF\xFF"s), Damage::negativePageCount, pageCountAt, 0},
      {"huge page count", with(v1, pageCountAt, "\xFF\xFF\xFF\x7F"s), Damage::truncated, pageCountAt + 8, 0},
      {"negative entry count", with(v2, entriesAt - 2, "\xFF\xFF"s), Damage::negativeCount, entriesAt - 2, 0},
      {"negative number count", with(v2, 18, "\x00\x80"s), Damage::negativeCount, 18, 0},
      {"unknown version", with(v2, 0, "\x03\x00"s), Damage::unknownVersion, 0, 0},
      {"trailing bytes", v2 + "!", Damage::trailingBytes, v2.size(), 3},
      {"empty file", "", Damage::truncated, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MappingContent read;
    const ParseReport report = parseMapping(c.bytes, &read);
    EXPECT_EQ(report.damage, c.damage);
    EXPECT_EQ(report.offset, c.offset);
    EXPECT_EQ(read.entries.size(), c.entries);
    EXPECT_LE(read.entries.capacity(), c.bytes.size() / 18 + 1);
  }
}

TEST(MappingFormatTest, NumberListLongerThanTheFileIsDamageAtTheListWithNothingRead) {
  MappingContent content;
  content.version = kMappingVersion2;
  content.magic = kMappingMagic;
  content.numberList = {1, 2};
  std::string bytes = serializeMapping(content).substr(0, 24);  // the two numbers, nothing after
  bytes.replace(18, 2, "\x05\x00"s);                            // five announced, four bytes left
  MappingContent read;
  const ParseReport report = parseMapping(bytes, &read);
  EXPECT_EQ(report.damage, Damage::truncated);
  EXPECT_EQ(report.offset, 20u);
  EXPECT_TRUE(read.numberList.empty());
}

TEST(MappingFormatTest, LongerBlockIsSkippedAndTheEntryKept) {
  MappingContent content = sampleContent(kMappingVersion2);
  std::string bytes = serializeMapping(content);
  const size_t entriesAt = 2 + 12 + 4 + 2 + 4 + 2 + 2;
  const uint32_t length = static_cast<uint32_t>(bytes[entriesAt]) + 3;
  bytes[entriesAt] = static_cast<char>(length);
  const size_t blockEnd = entriesAt + 4 + length;
  bytes.insert(blockEnd - 3, "pad");
  MappingContent read;
  const ParseReport report = parseMapping(bytes, &read);
  EXPECT_EQ(report.damage, Damage::blockLongerThanEntry);
  EXPECT_EQ(report.offset, blockEnd - 3);
  EXPECT_EQ(read.entries, content.entries);
}

std::string repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(PathVariablesTest, ExpansionCases) {
  const std::map<std::string, std::string> values = {
      {"$CD", "E:\\Books"}, {"$LOOP", "x$LOOP"}, {"$A", "$B"}, {"$B", "b"}};
  auto lookup = [&](const std::string& name) {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  };
  struct Case {
    std::string stored, expanded;
  };
  const Case cases[] = {
      {"$CD\\x.pdf", "E:\\Books\\x.pdf"},
      {"$Docs\\a.pdf", "D:\\Idx\\a.pdf"},  // no value: the mapping file's folder
      {"D:\\plain\\a.pdf", "D:\\plain\\a.pdf"},
      {"$CD\\$CD\\x.pdf", "E:\\Books\\E:\\Books\\x.pdf"},
      {"$CD\\$cd\\x.pdf", "E:\\Books\\D:\\Idx\\x.pdf"},  // occurrences compare case-sensitively
      {"$LOOP\\a.pdf", "x$LOOP\\a.pdf"},                // a value holding its own name ends
      {"$A\\$B\\a", "$B\\b\\a"},                         // inserted "$B" stays
      {"a$CD", "aE:\\Books"},
      {"$", "D:\\Idx"},
      {"$$$", "D:\\Idx"},
      {std::string(2000, '$') + "\\a", "D:\\Idx\\a"},
      {repeated("$CD\\", 4000), repeated("$CD\\", 4000)},  // would pass 32767 bytes: kept as stored
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored.substr(0, 40));
    const std::string expanded = expandPathVariables(c.stored, kMappingPath, lookup);
    if (c.expanded.size() < 100)
      EXPECT_EQ(expanded, c.expanded);
    else
      EXPECT_TRUE(expanded == c.expanded) << expanded.size() << " bytes";
  }
}

class MappingFileTest : public ::testing::Test {
 protected:
  void putVariable(Hive hive, const std::string& name, const std::string& value) {
    env.registry.put(hive, settings::kProductKey, name, {testing::FakeRegistry::Type::string, value});
  }
  testing::FakeEnv env;
};

TEST_F(MappingFileTest, ThirdTopicOfAnEntryIsItsPageTwoInBothVersions) {
  for (uint16_t version : {kMappingVersion1, kMappingVersion2}) {
    SCOPED_TRACE(version);
    env.files.addFile(kMappingPath, serializeMapping(sampleContent(version)));
    MappingFile mapping(env.env);
    ASSERT_TRUE(mapping.loadMapping(kMappingPath));
    ASSERT_EQ(mapping.count(), 3);
    EXPECT_EQ(mapping.findTopic(12), 2);
    EXPECT_EQ(mapping.currentPosition(), 0);
    EXPECT_EQ(mapping.findTopic(11), 1);  // listed by a and c: the first wins
    EXPECT_EQ(mapping.currentPosition(), 0);
    EXPECT_EQ(mapping.findTopic(20), 0);
    EXPECT_EQ(mapping.currentPosition(), 2);
    EXPECT_EQ(mapping.findTopic(99), -1);
    EXPECT_EQ(mapping.currentPosition(), 2);
  }
}

// The index answers exactly as the scan over entries and pages in order.
TEST_F(MappingFileTest, FindTopicMatchesTheLinearScan) {
  std::mt19937 random(7);
  MappingContent content = sampleContent(kMappingVersion2);
  content.entries.clear();
  for (int e = 0; e < 300; ++e) {
    std::vector<uint32_t> topics(random() % 20);
    for (uint32_t& topic : topics) topic = random() % 2000;  // many repeats
    content.entries.push_back(sampleMappingEntry("D:\\Pdf\\" + std::to_string(e) + ".pdf", topics));
  }
  env.files.addFile(kMappingPath, serializeMapping(content));
  MappingFile mapping(env.env);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  for (uint32_t id = 0; id < 2100; ++id) {
    int entry = -1, page = -1;
    for (size_t e = 0; e < content.entries.size() && entry < 0; ++e)
      for (size_t p = 0; p < content.entries[e].pageTopics.size(); ++p)
        if (content.entries[e].pageTopics[p] == id) {
          entry = static_cast<int>(e);
          page = static_cast<int>(p);
          break;
        }
    mapping.setCurrent(0);
    ASSERT_EQ(mapping.findTopic(id), page) << id;
    ASSERT_EQ(mapping.currentPosition(), entry < 0 ? 0 : entry) << id;
  }
}

TEST_F(MappingFileTest, PathsAreExpandedFromTheRegistryMachineFirst) {
  MappingContent content = sampleContent(kMappingVersion2);
  content.entries[0].pdfPath = "$CD\\x.pdf";
  content.entries[1].pdfPath = "$Docs\\y.pdf";
  content.entries[2].pdfPath = "$LONG\\z.pdf";
  content.folderList = {"$CD\\"};
  env.files.addFile(kMappingPath, serializeMapping(content));
  putVariable(Hive::currentUser, "$CD", "F:\\User");
  putVariable(Hive::localMachine, "$CD", "E:\\Books");
  putVariable(Hive::currentUser, "$DOCS", "G:\\Docs");  // found by the upper-case name
  putVariable(Hive::localMachine, "$LONG", std::string(260, 'L'));  // too long: none
  MappingFile mapping(env.env);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  EXPECT_EQ(mapping.entry(0)->pdfPath, "E:\\Books\\x.pdf");
  EXPECT_EQ(mapping.entry(1)->pdfPath, "G:\\Docs\\y.pdf");
  EXPECT_EQ(mapping.entry(2)->pdfPath, "D:\\Idx\\z.pdf");
  EXPECT_EQ(mapping.folders(), std::vector<std::string>{"E:\\Books\\"});
}

TEST_F(MappingFileTest, EachPathVariableIsReadOncePerLoad) {
  MappingContent content = sampleContent(kMappingVersion2);
  for (MappingEntry& entry : content.entries) entry.pdfPath = "$CD\\" + entry.pdfPath.substr(7);
  content.folderList = {"$CD\\"};
  env.files.addFile(kMappingPath, serializeMapping(content));
  MappingFile mapping(env.env);
  const int reads = env.registry.stringReadCount();
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  EXPECT_EQ(env.registry.stringReadCount() - reads, 2);  // the machine's value, then the user's
  EXPECT_EQ(mapping.entry(2)->pdfPath, "D:\\Idx\\c.pdf");
}

TEST_F(MappingFileTest, EntriesAreRefreshedFromTheDisk) {
  env.files.addFile(kMappingPath, serializeMapping(sampleContent(kMappingVersion2)));
  env.files.addFile("d:\\PDF\\A.PDF", "12345", testing::fileTimeOf(2024, 3, 31, 23, 30, 15));
  MappingFile mapping(env.env);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  const MappingEntry* present = mapping.entry(0);
  EXPECT_EQ(present->fileSize, 5u);
  const SystemTime local{2024, 4, 1, 1, 0, 30, 15, 0};  // UTC plus the fake's hour
  EXPECT_EQ(present->modified, local);
  const MappingEntry* missing = mapping.entry(1);
  EXPECT_EQ(missing->fileSize, 1000u);  // as stored
  EXPECT_EQ(missing->modified, SystemTime{});
  EXPECT_EQ(mapping.currentPosition(), 1);
}

TEST_F(MappingFileTest, ScanAddsOnlyPdfFilesNoEntryLists) {
  MappingContent content = sampleContent(kMappingVersion2);
  content.folderList = {"D:\\Pdf\\", "D:\\Nowhere\\", "D:\\Other", ""};
  env.files.addFile(kMappingPath, serializeMapping(content));
  env.files.addFile("D:\\Pdf\\A.PDF", "1");        // listed as a.pdf
  env.files.addFile("D:\\Pdf\\new.pdf", "123");    // copied in after indexing
  env.files.addFile("D:\\Pdf\\notes.txt", "");
  env.files.addFile("D:\\Other\\o.pdf", "");       // folder stored without its backslash
  env.files.addFile("D:\\Idx\\stray.pdf", "");     // not a listed folder
  MappingFile mapping(env.env);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  ASSERT_EQ(mapping.count(), 5);
  const MappingEntry* added = mapping.entry(3);
  EXPECT_EQ(added->pdfPath, "D:\\Pdf\\new.pdf");
  EXPECT_EQ(added->pageCount, 0);
  EXPECT_TRUE(added->pageTopics.empty());
  EXPECT_EQ(added->entryFlag, 1u);
  EXPECT_EQ(added->fileSize, 3u);
  EXPECT_EQ(mapping.entry(4)->pdfPath, "D:\\Other\\o.pdf");
  EXPECT_EQ(mapping.findByPath("d:\\pdf\\NEW.PDF"), 3);
  EXPECT_EQ(mapping.currentPosition(), 3);
  EXPECT_EQ(mapping.findByPath("D:\\Pdf\\missing.pdf"), -1);
  EXPECT_EQ(mapping.currentPosition(), 3);
}

TEST_F(MappingFileTest, FindByPathIgnoresCaseInTheCodePageAndTheFirstWins) {
  MappingContent content = sampleContent(kMappingVersion2);
  content.entries[0].pdfPath = "D:\\\xC8" "esk\xE9\\a.pdf";  // "České"
  content.entries[2].pdfPath = "d:\\\xE8" "esk\xC9\\A.pdf";
  env.files.addFile(kMappingPath, serializeMapping(content));
  MappingFile mapping(env.env);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  EXPECT_EQ(mapping.findByPath("D:\\\xE8" "ESK\xC9\\A.PDF"), 0);
  EXPECT_EQ(mapping.findByPath("D:\\Pdf\\B.pdf"), 1);
}

TEST_F(MappingFileTest, LoadFailsOnlyWhenTheFileCannotBeRead) {
  MappingFile mapping(env.env);
  EXPECT_FALSE(mapping.loadMapping(kMappingPath));
  std::string cut = serializeMapping(sampleContent(kMappingVersion2));
  cut.resize(cut.size() - 1);
  env.files.addFile(kMappingPath, cut);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  EXPECT_EQ(mapping.count(), 2);
  EXPECT_EQ(mapping.lastParse().damage, Damage::truncated);
  env.files.denyRead(kMappingPath);
  EXPECT_FALSE(mapping.loadMapping(kMappingPath));
  EXPECT_EQ(mapping.count(), 2);  // a failed load changes nothing
}

TEST_F(MappingFileTest, EntryAndSetCurrentGuardTheRange) {
  env.files.addFile(kMappingPath, serializeMapping(sampleContent(kMappingVersion2)));
  MappingFile mapping(env.env);
  ASSERT_TRUE(mapping.loadMapping(kMappingPath));
  EXPECT_EQ(mapping.entry(), nullptr);  // no current entry yet
  EXPECT_FALSE(mapping.setCurrent(3));
  EXPECT_TRUE(mapping.setCurrent(2));
  EXPECT_EQ(mapping.entry()->pdfPath, "D:\\Pdf\\c.pdf");
  EXPECT_EQ(mapping.entry(5), nullptr);
  EXPECT_EQ(mapping.entry(), nullptr);
}

// A kept mapping answers only while its file and its path variables are as
// they were when it was read; anything else is read anew.
class MappingCacheTest : public MappingFileTest {
 protected:
  void write(const MappingContent& content, uint64_t time) {
    env.files.addFile(kMappingPath, serializeMapping(content), time);
  }
  MappingContent renamed(const std::string& first) {
    MappingContent content = sampleContent(kMappingVersion2);
    content.entries[0].pdfPath = first;
    return content;
  }
  MappingCache cache{env.env};
};

TEST_F(MappingCacheTest, KeptWhileTheFileIsUnchangedAndReadAgainOtherwise) {
  const uint64_t t1 = testing::fileTimeOf(2025, 1, 1), t2 = testing::fileTimeOf(2025, 1, 2);
  write(renamed("D:\\Pdf\\a.pdf"), t1);
  const std::shared_ptr<MappingFile> first = cache.get(kMappingPath);
  ASSERT_TRUE(first);
  EXPECT_EQ(cache.get(kMappingPath), first);
  EXPECT_EQ(cache.keptCount(), 1u);

  // Rewritten as an update does: the same size, a new time.
  write(renamed("D:\\Pdf\\x.pdf"), t2);
  std::shared_ptr<MappingFile> now = cache.get(kMappingPath);
  ASSERT_TRUE(now);
  EXPECT_NE(now, first);
  EXPECT_EQ(now->entry(0)->pdfPath, "D:\\Pdf\\x.pdf");

  // Shrunk under the same time.
  MappingContent shorter = renamed("D:\\Pdf\\x.pdf");
  shorter.entries.pop_back();
  write(shorter, t2);
  now = cache.get(kMappingPath);
  ASSERT_TRUE(now);
  EXPECT_EQ(now->count(), 2);
  EXPECT_EQ(now->findTopic(20), -1);

  // Gone: nothing is answered from memory.
  env.files.removeFile(kMappingPath);
  EXPECT_EQ(cache.get(kMappingPath), nullptr);
  EXPECT_EQ(cache.keptCount(), 0u);
}

TEST_F(MappingCacheTest, AChangedPathVariableReadsTheMappingAgain) {
  write(renamed("$CD\\a.pdf"), testing::fileTimeOf(2025, 1, 1));
  putVariable(Hive::localMachine, "$CD", "E:\\Books");
  ASSERT_EQ(cache.get(kMappingPath)->entry(0)->pdfPath, "E:\\Books\\a.pdf");
  putVariable(Hive::localMachine, "$CD", "F:\\Moved");
  EXPECT_EQ(cache.get(kMappingPath)->entry(0)->pdfPath, "F:\\Moved\\a.pdf");
  // A value that appears where there was none counts as well.
  env.registry.deleteValue(Hive::localMachine, settings::kProductKey, "$CD");
  EXPECT_EQ(cache.get(kMappingPath)->entry(0)->pdfPath, "D:\\Idx\\a.pdf");
  putVariable(Hive::currentUser, "$CD", "G:\\User");
  EXPECT_EQ(cache.get(kMappingPath)->entry(0)->pdfPath, "G:\\User\\a.pdf");
}

// A search never sees PDF files without pages, so its load skips the disk;
// the index manager's full load still lists a PDF the mapping lacks.
TEST_F(MappingCacheTest, SearchLoadSkipsTheDiskAndTheManagerStillScans) {
  MappingContent content = renamed("D:\\Pdf\\a.pdf");
  content.folderList = {"D:\\Pdf\\"};
  write(content, testing::fileTimeOf(2025, 1, 1));
  env.files.addFile("D:\\Pdf\\a.pdf", "12345");
  env.files.addFile("D:\\Pdf\\new.pdf", "123");  // in the folder, not in the mapping
  const std::shared_ptr<MappingFile> searched = cache.get(kMappingPath);
  ASSERT_EQ(searched->count(), 3);  // the folder is not scanned
  EXPECT_EQ(searched->entry(0)->fileSize, 1000u);  // as stored
  EXPECT_EQ(searched->entry(0)->modified, SystemTime{});

  MappingFile managed(env.env);
  ASSERT_TRUE(managed.loadMapping(kMappingPath));
  EXPECT_EQ(managed.count(), 4);
  EXPECT_EQ(managed.entry(0)->fileSize, 5u);
  EXPECT_EQ(cache.get(kMappingPath), searched);
}

TEST_F(MappingCacheTest, KeepsOnlySmallMappingsAndTheMostRecentlyUsed) {
  write(renamed("D:\\Pdf\\a.pdf"), testing::fileTimeOf(2025, 1, 1));
  env.files.addFile("D:\\Idx\\tax.sbf", serializeMapping(renamed("D:\\Pdf\\t.pdf")));
  MappingCache tiny(env.env, 100);
  EXPECT_NE(tiny.get(kMappingPath), tiny.get(kMappingPath));
  EXPECT_EQ(tiny.keptCount(), 0u);

  // Two kept: the one used last stays although it was loaded first.
  env.files.addFile("D:\\Idx\\rent.sbf", serializeMapping(renamed("D:\\Pdf\\r.pdf")));
  MappingCache two(env.env, MappingCache::kMaxBytes, 2);
  const std::shared_ptr<MappingFile> law = two.get(kMappingPath);
  const std::shared_ptr<MappingFile> tax = two.get("D:\\Idx\\tax.sbf");
  ASSERT_EQ(two.get(kMappingPath), law);
  two.get("D:\\Idx\\rent.sbf");
  EXPECT_EQ(two.keptCount(), 2u);
  EXPECT_EQ(two.get(kMappingPath), law);
  EXPECT_NE(two.get("D:\\Idx\\tax.sbf"), tax);

  MappingCache one(env.env, MappingCache::kMaxBytes, 1);
  const std::shared_ptr<MappingFile> first = one.get(kMappingPath);
  one.get("D:\\Idx\\tax.sbf");
  EXPECT_EQ(one.keptCount(), 1u);
  EXPECT_NE(one.get(kMappingPath), first);
  // Only the one kept mapping counts, as much as in a cache that read it alone.
  MappingCache alone(env.env);
  alone.get(kMappingPath);
  EXPECT_GT(alone.heldBytes(), 0u);
  EXPECT_EQ(one.heldBytes(), alone.heldBytes());
}

}  // namespace
}  // namespace tarvek
