// Writes the seed corpus of the catalogue fuzzers into two folders:
// catalogue_fuzz_seeds DATABASE_DIR MAPPING_DIR
#include <fstream>
#include <iostream>
#include <string>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"

using namespace tarvek;

namespace {

void write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

ActiveIndexEntry indexEntry(const std::string& stem) {
  ActiveIndexEntry e;
  e.indexPath = "d:\\idx\\" + stem + ".sbi";
  e.mappingPath = "d:\\idx\\" + stem + ".sbf";
  e.indexName = "Index " + stem;
  e.indexerNumber = "7";
  e.created = 0x2D210000;
  e.language = 1;
  e.lemmatized = 0x80;
  return e;
}

MappingContent mapping(uint16_t version) {
  MappingContent content;
  content.version = version;
  content.magic = kMappingMagic;
  content.numberList = {1, 2};
  content.folderList = {"$CD\\", "D:\\Missing\\"};
  for (int i = 0; i < 3; ++i) {
    MappingEntry e;
    e.pdfPath = i == 0 ? "$CD\\a.pdf" : i == 1 ? "$Loop\\b.pdf" : "D:\\Pdf\\c.pdf";
    e.pdfTitle = "Title";
    e.pageTopics = {uint32_t(i), 100, uint32_t(i + 7)};
    e.pageCount = 3;
    content.entries.push_back(e);
  }
  return content;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: catalogue_fuzz_seeds DATABASE_DIR MAPPING_DIR\n";
    return 2;
  }
  const std::string databases = argv[1], mappings = argv[2];
  write(databases + "/empty.idb", serializeDatabase({}));
  write(databases + "/three.idb", serializeDatabase({indexEntry("a"), indexEntry("law"), indexEntry("x")}));
  write(mappings + "/v1.sbf", serializeMapping(mapping(kMappingVersion1)));
  write(mappings + "/v2.sbf", serializeMapping(mapping(kMappingVersion2)));
  MappingContent empty;
  empty.version = kMappingVersion2;
  empty.magic = kMappingMagic;
  write(mappings + "/empty.sbf", serializeMapping(empty));
  return 0;
}
