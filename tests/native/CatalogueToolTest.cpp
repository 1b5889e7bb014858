// The stable text forms of tarvek-catalogue.
#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "catalogue/tool/CatalogueDump.h"
#include "catalogue/tool/CatalogueHealth.h"
#include "tests/fakes/FakeServices.h"
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

TEST(CatalogueToolTest, ReadableTextsDecodeTheCodePageAndEscapeTheRest) {
  // "Žaloba §5" with a tab, a percent sign and 0x98, which is no character.
  const std::string text = "\x8E" "aloba \xA7" "5\t%\x98";
  EXPECT_EQ(tool::quoted(text), "\"%8Ealoba %A75%09%25%98\"");
  EXPECT_EQ(tool::quoted(text, TextForm::readable), "\"Žaloba §5%09%25%98\"");
  std::ostringstream out;
  dump(FileKind::database, serializeDatabase({testing::sampleIndexEntry("law")}), out, TextForm::readable);
  EXPECT_NE(out.str().find("entry[0].indexName: \"Index law\"\n"), std::string::npos);
}

TEST(CatalogueToolTest, HealthReportsEachIndexAsTheManagerSeesIt) {
  testing::FakeEnv env;
  ActiveIndexEntry law = testing::sampleIndexEntry("law");
  law.indexName = "Z\xE1kony";
  const ActiveIndexEntry tax = testing::sampleIndexEntry("tax");
  env.files.addFile("D:\\Idx\\law.sbi", "");
  MappingContent mapping;
  mapping.version = kMappingVersion2;
  mapping.magic = kMappingMagic;
  mapping.folderList = {"D:\\Pdf\\"};
  mapping.entries = {testing::sampleMappingEntry("D:\\Pdf\\a.pdf", {1}), testing::sampleMappingEntry("D:\\Pdf\\gone.pdf", {2})};
  env.files.addFile("D:\\Idx\\law.sbf", serializeMapping(mapping));
  env.files.addFile("D:\\Pdf\\a.pdf", "");
  env.files.addFile("D:\\Pdf\\new.pdf", "");
  std::ostringstream out;
  EXPECT_FALSE(health(env.env, serializeDatabase({law, tax}), out, TextForm::readable));
  EXPECT_EQ(out.str(),
            "index[0]: \"Zákony\"\n"
            "index[0].indexPath: \"d:\\idx\\law.sbi\"\n"
            "index[0].status: 0 (OK)\n"
            "index[0].missingPdf: \"D:\\Pdf\\gone.pdf\"\n"
            "index[0].uncoveredPdf: \"D:\\Pdf\\new.pdf\"\n"
            "index[1]: \"Index tax\"\n"
            "index[1].indexPath: \"d:\\idx\\tax.sbi\"\n"
            "index[1].status: 11 (Chýba index a zoz. súborov)\n"
            "database: whole\n"
            "health: 2 of 2 indexes need attention\n");

  // Every file in place: healthy, and a damaged database is not.
  env.files.removeFile("D:\\Pdf\\new.pdf");
  env.files.addFile("D:\\Pdf\\gone.pdf", "");
  std::ostringstream fine;
  EXPECT_TRUE(health(env.env, serializeDatabase({law}), fine, TextForm::escaped));
  EXPECT_NE(fine.str().find("health: 0 of 1 indexes need attention\n"), std::string::npos);
  std::ostringstream cut;
  EXPECT_FALSE(health(env.env, serializeDatabase({law}) + "x", cut, TextForm::escaped));

  // Pages the indexer read no word on, by OCR either, are named; they are a
  // fact of the index, not a fault of the installation.
  env.files.addFile("D:\\Idx\\law.notext", "D:\\Pdf\\a.pdf\t2\nD:\\Pdf\\a.pdf\t5\n");
  std::ostringstream scans;
  EXPECT_TRUE(health(env.env, serializeDatabase({law}), scans, TextForm::escaped));
  EXPECT_NE(scans.str().find("index[0].pageWithoutText: \"D:\\Pdf\\a.pdf\" page 2\n"
                             "index[0].pageWithoutText: \"D:\\Pdf\\a.pdf\" page 5\n"
                             "index[0].pagesWithoutText: 2\n"),
            std::string::npos)
      << scans.str();
}

}  // namespace
}  // namespace tarvek::tool
