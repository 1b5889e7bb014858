// The mapping file as the indexer writes it and the query tool reads it.
#include <gtest/gtest.h>

#include <sstream>

#include "standins/indexer/MappingFile.h"
#include "standins/indexer/SourceTable.h"
#include "standins/indexer/StoredPaths.h"

namespace tarvek::indexer {
namespace {

Mapping sampleMapping() {
  Mapping mapping;
  mapping.nextNumber = 6;
  mapping.folders = {"$DOCS\\", "$DOCS\\sub\\"};
  mapping.pdfs.push_back({"$DOCS\\a.pdf", "", "Title A", 0, 1234, {1, 2, 3}});
  mapping.pdfs.push_back({"$DOCS\\sub\\b.pdf", "aux", "", 1, 99, {4, 5, 2}});
  return mapping;
}

TEST(SbfWriterTest, WritesTheVersion2Layout) {
  Mapping mapping;
  mapping.pdfs.push_back({"x.pdf", "", "T", 0, 7, {9}});
  std::string problem;
  const auto bytes = encodeMapping(mapping, &problem);
  ASSERT_TRUE(bytes);
  const std::vector<uint8_t> expected = {2,
                                         0,
                                         10,
                                         0,
                                         'S',
                                         'B',
                                         'F',
                                         ' ',
                                         'v',
                                         'e',
                                         'r',
                                         '.',
                                         ' ',
                                         '2',  // version, magic
                                         1,
                                         0,
                                         0,
                                         0,  // nextNumber
                                         0,
                                         0,
                                         0,
                                         0,  // no numbers, no folders
                                         1,
                                         0,  // one entry
                                         2 + 5 + 2 + 0 + 2 + 1 + 12 + 4,
                                         0,
                                         0,
                                         0,  // its length
                                         5,
                                         0,
                                         'x',
                                         '.',
                                         'p',
                                         'd',
                                         'f',
                                         0,
                                         0,
                                         1,
                                         0,
                                         'T',  // path, aux text, title
                                         0,
                                         0,
                                         0,
                                         0,
                                         1,
                                         0,
                                         0,
                                         0,
                                         7,
                                         0,
                                         0,
                                         0,
                                         9,
                                         0,
                                         0,
                                         0};  // flag, pages, size, topic
  EXPECT_EQ(*bytes, expected);
}

TEST(SbfWriterTest, ReadsBackWhatItWroteAndRefusesEveryTruncation) {
  std::string problem;
  const auto bytes = encodeMapping(sampleMapping(), &problem);
  ASSERT_TRUE(bytes);
  const auto read = decodeMapping(*bytes);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->nextNumber, 6u);
  EXPECT_EQ(read->folders, sampleMapping().folders);
  ASSERT_EQ(read->pdfs.size(), 2u);
  EXPECT_EQ(read->pdfs[1].pdfPath, "$DOCS\\sub\\b.pdf");
  EXPECT_EQ(read->pdfs[1].auxText, "aux");
  EXPECT_EQ(read->pdfs[1].pageTopics, (std::vector<uint32_t>{4, 5, 2}));
  for (size_t length = 0; length < bytes->size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(decodeMapping(std::vector<uint8_t>(bytes->begin(), bytes->begin() + length)));
  }
}

TEST(SbfWriterTest, TopicsMapToTheirFirstListing) {
  const auto index = topicIndex(sampleMapping());
  EXPECT_EQ(index.at(3), std::make_pair(size_t{0}, size_t{2}));
  EXPECT_EQ(index.at(2), std::make_pair(size_t{0}, size_t{1})) << "listed twice, the first wins";
  EXPECT_EQ(index.count(7), 0u);
}

TEST(SbfWriterTest, RefusesListsTheFormatCannotHold) {
  Mapping mapping;
  mapping.folders.assign(kMaxListItems + 1, "f\\");
  std::string problem;
  EXPECT_FALSE(encodeMapping(mapping, &problem));
  EXPECT_FALSE(problem.empty());
  mapping.folders.clear();
  mapping.pdfs.push_back({std::string(kMaxTextBytes + 1, 'p'), "", "", 0, 0, {}});
  EXPECT_FALSE(encodeMapping(mapping, &problem));
}

TEST(StoredPathsTest, VariablePathsAreRelativeToTheIndexFolder) {
  EXPECT_EQ(storedFilePath("/data/idx/pdf/a.pdf", "/data/idx", "$DOCS"), "$DOCS\\pdf\\a.pdf");
  EXPECT_EQ(storedFilePath("/data/pdf/a.pdf", "/data/idx", "$DOCS"), "$DOCS\\..\\pdf\\a.pdf");
  EXPECT_EQ(storedFolderPath("/data/idx", "/data/idx", "$DOCS"), "$DOCS\\");
  EXPECT_EQ(storedFolderPath("/data/idx/sub", "/data/idx", "$DOCS"), "$DOCS\\sub\\");
  EXPECT_EQ(storedFilePath("/data/pdf/a.pdf", "/data/idx", ""), "Z:\\data\\pdf\\a.pdf");
  EXPECT_EQ(normalizeVariable("DOCS"), "$DOCS");
  EXPECT_EQ(normalizeVariable("$DOCS"), "$DOCS");
  EXPECT_EQ(normalizeVariable("$A$B"), "");
  EXPECT_EQ(normalizeVariable("A\\B"), "");
  EXPECT_EQ(normalizeVariable("$"), "");
}

TEST(SbfWriterTest, FindTopicsReadsOnlyUntilEveryWantedIdIsFound) {
  Mapping mapping = sampleMapping();
  for (uint32_t f = 0; f < 50; ++f) mapping.pdfs.push_back({"$DOCS\\c" + std::to_string(f) + ".pdf", "", "", 0, 1, {100 + f}});
  std::string problem;
  const auto bytes = encodeMapping(mapping, &problem);
  ASSERT_TRUE(bytes);
  std::istringstream in(std::string(bytes->begin(), bytes->end()));
  const auto found = findTopics(in, {5, 2, 777});
  ASSERT_TRUE(found);
  ASSERT_EQ(found->size(), 2u) << "777 is listed nowhere";
  EXPECT_EQ(found->at(2).pdfPath, "$DOCS\\a.pdf") << "the first listing wins";
  EXPECT_EQ(found->at(2).page, 1u);
  EXPECT_EQ(found->at(5).pdfPath, "$DOCS\\sub\\b.pdf");
  EXPECT_EQ(found->at(5).page, 1u);

  std::istringstream early(std::string(bytes->begin(), bytes->end()));
  ASSERT_TRUE(findTopics(early, {3, 4}));
  EXPECT_LT(static_cast<size_t>(early.tellg()), bytes->size() / 4) << "stops after the second entry";

  // Every id agrees with the whole-file index.
  std::vector<uint32_t> all;
  for (const auto& [id, place] : topicIndex(mapping)) all.push_back(id);
  std::istringstream whole(std::string(bytes->begin(), bytes->end()));
  const auto everything = findTopics(whole, all);
  ASSERT_TRUE(everything);
  for (const auto& [id, place] : topicIndex(mapping)) {
    EXPECT_EQ(everything->at(id).pdfPath, mapping.pdfs[place.first].pdfPath);
    EXPECT_EQ(everything->at(id).page, place.second);
  }

  for (size_t cut : {size_t{1}, size_t{20}, bytes->size() - 3}) {
    std::istringstream truncated(std::string(bytes->begin(), bytes->begin() + static_cast<long>(cut)));
    EXPECT_FALSE(findTopics(truncated, {777})) << cut;
  }
}

TEST(SourceTableTest, RoundTripsAndRefusesEveryCutOrOverlongText) {
  SourceTable table;
  table.nextTopic = 4711;
  table.pathVariable = "$DOCS";
  table.files.push_back({"/data/a.pdf", "$DOCS\\a.pdf", "Title", 123456789012ull, -5, 3, 999});
  table.files.push_back({"/data/sub/b.pdf", "$DOCS\\sub\\b.pdf", "", 7, 1700000000123456789ll, 0, 0});
  const std::vector<uint8_t> bytes = encodeSources(table);
  const auto decoded = decodeSources(bytes);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->nextTopic, 4711u);
  EXPECT_EQ(decoded->pathVariable, "$DOCS");
  ASSERT_EQ(decoded->files.size(), 2u);
  EXPECT_EQ(decoded->files[0].storedPath, table.files[0].storedPath);
  EXPECT_EQ(decoded->files[0].size, 123456789012ull);
  EXPECT_EQ(decoded->files[0].lastWrite, -5);
  EXPECT_EQ(decoded->files[0].words, 999u);
  EXPECT_EQ(decoded->files[1].lastWrite, 1700000000123456789ll);
  for (size_t length = 0; length < bytes.size(); ++length)
    EXPECT_FALSE(decodeSources(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(length))))
        << length;
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(decodeSources(longer)) << "bytes left over";
  std::vector<uint8_t> huge = bytes;
  // The file count's high bytes: it follows version, next topic id and "$DOCS" (15 bytes).
  huge[15 + 2] = 0xFF;
  huge[15 + 3] = 0xFF;
  EXPECT_FALSE(decodeSources(huge));
}

}  // namespace
}  // namespace tarvek::indexer
