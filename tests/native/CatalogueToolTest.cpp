// The stable text forms of tarvek-catalogue.
#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "catalogue/tool/CatalogueDump.h"
#include "tests/native/CatalogueTestSupport.h"

namespace tarvek::tool {
namespace {

TEST(CatalogueToolTest, DatabaseDumpListsEveryFieldInDiskOrder) {
  ActiveIndexEntry e = testing::sampleIndexEntry("law");
  e.indexName = "Z\xE1kon \"100%\"";
  std::ostringstream out;
  EXPECT_TRUE(dump(FileKind::database, serializeDatabase({e}), out).whole());
  EXPECT_EQ(out.str(),
            "kind: database\n"
            "version: 1\n"
            "magic: \"IDB ver. 1\"\n"
            "entryCount: 1\n"
            "entry[0].indexPath: \"d:\\idx\\law.sbi\"\n"
            "entry[0].mappingPath: \"d:\\idx\\law.sbf\"\n"
            "entry[0].indexName: \"Z%E1kon %22100%25%22\"\n"
            "entry[0].indexerNumber: \"IX-law\"\n"
            "entry[0].created: 757137408\n"
            "entry[0].indexSize: 16909060\n"
            "entry[0].fileVersion: 13\n"
            "entry[0].language: 4\n"
            "entry[0].wordCount: 4294967295\n"
            "entry[0].updated: 757202944\n"
            "entry[0].lemmatized: 128\n"
            "entry[0].attribute20: 32\n"
            "entry[0].reserved: 3735928559\n"
            "status: whole\n");
}

TEST(CatalogueToolTest, MappingDumpEndsWithWhereItIsDamaged) {
  MappingContent content;
  content.version = kMappingVersion2;
  content.magic = kMappingMagic;
  content.numberList = {3};
  content.folderList = {"$CD\\"};
  content.entries = {testing::sampleMappingEntry("$CD\\a.pdf", {5, 6}), testing::sampleMappingEntry("b.pdf", {7})};
  std::string bytes = serializeMapping(content);
  bytes.pop_back();
  std::ostringstream out;
  const ParseReport report = dump(FileKind::mapping, bytes, out);
  EXPECT_EQ(out.str(),
            "kind: mapping\n"
            "version: 2\n"
            "magic: \"SBF ver. 2\"\n"
            "nextNumber: 1\n"
            "numberList: 3\n"
            "folder[0]: \"$CD\\\"\n"
            "entryCount: 2\n"
            "entry[0].pdfPath: \"$CD\\a.pdf\"\n"
            "entry[0].auxText: \"aux\"\n"
            "entry[0].pdfTitle: \"Title of $CD\\a.pdf\"\n"
            "entry[0].entryFlag: 0\n"
            "entry[0].pageCount: 2\n"
            "entry[0].fileSize: 1000\n"
            "entry[0].pageTopics: 5 6\n"
            "status: damaged at byte " + std::to_string(report.offset) +
                ": truncated (a field runs past the end of the file)\n");
}

TEST(CatalogueToolTest, KindComesFromTheExtensionThenTheMagic) {
  const std::string database = serializeDatabase({});
  EXPECT_EQ(kindOf("x.IDB", ""), FileKind::database);
  EXPECT_EQ(kindOf("x.Sbf", database), FileKind::mapping);
  EXPECT_EQ(kindOf("x.bak", database), FileKind::database);
  EXPECT_EQ(kindOf("x.bak", "\x02"), FileKind::mapping);
}

}  // namespace
}  // namespace tarvek::tool
