// The mapping files the indexer writes, read by the plug-in's own reader
// (catalogue/MappingFormat): both sides must agree on every field.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "catalogue/MappingFormat.h"
#include "standins/indexer/MappingFile.h"

namespace tarvek::indexer {
namespace {

void expectSame(const Mapping& written, const MappingContent& read) {
  EXPECT_EQ(read.version, kMappingVersion);
  EXPECT_EQ(read.magic, "SBF ver. 2");
  EXPECT_EQ(read.nextNumber, written.nextNumber);
  EXPECT_EQ(read.folderList, written.folders);
  ASSERT_EQ(read.entries.size(), written.pdfs.size());
  for (size_t i = 0; i < written.pdfs.size(); ++i) {
    SCOPED_TRACE(written.pdfs[i].pdfPath);
    const auto& a = written.pdfs[i];
    const auto& b = read.entries[i];
    EXPECT_EQ(b.pdfPath, a.pdfPath);
    EXPECT_EQ(b.auxText, a.auxText);
    EXPECT_EQ(b.pdfTitle, a.pdfTitle);
    EXPECT_EQ(b.entryFlag, a.entryFlag);
    EXPECT_EQ(b.fileSize, a.fileSize);
    EXPECT_EQ(b.pageCount, static_cast<int32_t>(a.pageTopics.size()));
    EXPECT_EQ(b.pageTopics, a.pageTopics);
  }
}

TEST(SbfAgreementTest, ThePlugInsReaderReadsWhatTheIndexerWrites) {
  Mapping mapping;
  mapping.nextNumber = 9;
  mapping.folders = {"$DOCS\\",
                     "$DOCS\\pr\xED"
                     "ru\x9Ainy\\"};
  mapping.pdfs.push_back({"$DOCS\\a.pdf", "", "N\xE1zov", 0, 4096, {1, 2, 3}});
  mapping.pdfs.push_back(
      {"$DOCS\\pr\xED"
       "ru\x9Ainy\\b.pdf",
       "x",
       "",
       1,
       7,
       {}});
  mapping.pdfs.push_back({"$DOCS\\c.pdf", "", "", 0, 0, {4, 5, 6, 7, 8}});
  std::string problem;
  const auto bytes = encodeMapping(mapping, &problem);
  ASSERT_TRUE(bytes) << problem;
  MappingContent read;
  const ParseReport report =
      parseMapping(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &read);
  EXPECT_TRUE(report.whole()) << "damage at " << report.offset;
  expectSame(mapping, read);
}

TEST(SbfAgreementTest, TheSampleMappingsReadWhole) {
  const char* samples = std::getenv("TARVEK_SAMPLES");
  if (!samples) GTEST_SKIP() << "TARVEK_SAMPLES is not set";
  for (const char* name : {"vzorky_sk.sbf", "samples_en.sbf"}) {
    SCOPED_TRACE(name);
    std::ifstream file(std::filesystem::path(samples) / name, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto mine = decodeMapping(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(mine);
    MappingContent read;
    EXPECT_TRUE(parseMapping(bytes, &read).whole());
    expectSame(*mine, read);
  }
}

}  // namespace
}  // namespace tarvek::indexer
