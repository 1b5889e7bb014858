// tarvek-query: runs a query over an .sbi index with the stand-in engine and
// shows each topic as the PDF file and page its mapping file names.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Cp1250.h"
#include "standins/engine/Engine.h"
#include "standins/engine/EngineErrors.h"
#include "standins/engine/EngineExports.h"
#include "standins/indexer/MappingFile.h"

namespace {

namespace fs = std::filesystem;
using tarvek::cp1250::toUtf8;

constexpr char kUsage[] =
    "usage: tarvek-query INDEX.sbi [--flags HEX] [--data FOLDER] QUERY...\n"
    "       tarvek-query INDEX.sbi --excluded\n"
    "  --flags HEX     option word (0x0120 AND, 0x0110 OR, 0x0130 NOT, 0x0140 NEXT, 0x015n NEAR n,\n"
    "                  0x017n operators, +0x2000 fuzzy diacritics, +0x4000 fuzzy typo,\n"
    "                  +0x0080 lemmas, +0x1000 synonyms); default 0x0120\n"
    "  --data FOLDER   folder of the linguistic data ling_XX.tld (default: $TARVEK_ENGINE_DATA,\n"
    "                  else the folder of this program)\n"
    "  --excluded      lists the excluded words of the index\n"
    "Pages are counted from 1.\n";

uint32_t TARVEK_STDCALL printKey(uint32_t, const char* key, uint32_t) {
  std::cout << toUtf8(key) << "\n";
  return 0;
}

std::string programFolder(const char* argv0) {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return (error ? fs::absolute(argv0) : self).parent_path().string();
}

int fail(const std::string& what, uint16_t code) {
  std::cerr << "tarvek-query: " << what << " (engine code " << code << ")\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << kUsage;
    return 1;
  }
  const std::string indexPath = argv[1];
  uint32_t flags = 0x0120;
  bool listExcluded = false;
  std::string dataFolder;
  std::string query;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--flags" && i + 1 < argc) {
      flags = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 16));
    } else if (arg == "--data" && i + 1 < argc) {
      dataFolder = argv[++i];
    } else if (arg == "--excluded") {
      listExcluded = true;
    } else {
      query += (query.empty() ? "" : " ") + arg;
    }
  }
  if (dataFolder.empty() && !std::getenv("TARVEK_ENGINE_DATA")) dataFolder = programFolder(argv[0]);
  tarvek::sbi::Engine::instance().setDataFolder(dataFolder);

  uint16_t error = 0;
  const uint32_t index = IndexOpen(indexPath.c_str(), nullptr, &error);
  if (!index && error == tarvek::sbi::kOldFormatVersion)
    return fail(indexPath + " is an index of an earlier format version: build it anew with tarvek-index", error);
  if (!index) return fail("cannot open " + indexPath, error);
  if (listExcluded) {
    IndexEnumKeys(index, tarvek::engine_api::kEnumExcludedWords, 0, &printKey, 0);
    IndexClose(index);
    return 0;
  }

  // Folded as the pages were, so a word typed with a letter the code page
  // lacks (verrà) finds itself.
  const std::string ansiQuery = tarvek::cp1250::foldToCp1250(query);
  const uint32_t list = IndexQuery(index, ansiQuery.c_str(), 0, flags | 0x0100, 0, 0, &error);
  if (!list) {
    IndexClose(index);
    return fail(
        error == tarvek::engine_api::kOnlyExcludedWords ? "the query holds only excluded words" : "the query failed",
        error);
  }
  uint32_t count = 0;
  TListGetNumOfTopics(list, &count);
  std::vector<uint32_t> ids(count), occurrenceCounts(count);
  for (uint32_t t = 0; t < count; ++t)
    if ((error = TListGetTopic(list, t, t, &ids[t], &occurrenceCounts[t])) != 0) return fail("cannot read a topic", error);
  // Only the entries of the topics found are looked up: with no hit the
  // mapping file is not even opened.
  fs::path mappingPath = indexPath;
  mappingPath.replace_extension(".sbf");
  std::optional<std::unordered_map<uint32_t, tarvek::indexer::TopicPlace>> places;
  if (count > 0) {
    std::ifstream mapping(mappingPath, std::ios::binary);
    if (mapping) places = tarvek::indexer::findTopics(mapping, ids);
    if (!places) std::cerr << "tarvek-query: cannot read " << mappingPath.string() << "; topics shown without files\n";
  }

  std::cout << count << (count == 1 ? " topic\n" : " topics\n");
  for (uint32_t t = 0; t < count; ++t) {
    const uint32_t occurrences = occurrenceCounts[t] & 0xFFFF;
    std::vector<uint32_t> values(occurrences);
    if (occurrences && (error = TListGetTopicOcc(list, t, 0, occurrences - 1, 0, values.data(), 0, 0)) != 0)
      return fail("cannot read occurrences", error);
    std::cout << "topic " << ids[t] << ": ";
    const tarvek::indexer::TopicPlace* place = nullptr;
    if (places)
      if (auto it = places->find(ids[t]); it != places->end()) place = &it->second;
    if (place) {
      std::cout << toUtf8(place->pdfPath) << " page " << place->page + 1;
    } else {
      std::cout << "(not in the mapping file)";
    }
    std::cout << ":";
    for (uint32_t v : values) std::cout << " " << (v & 0xFFFF);
    std::cout << "\n";
  }
  IndexClose(index);
  return 0;
}
