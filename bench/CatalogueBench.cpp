// Reading the catalogue files from memory, and the topic lookup.
// Figures and how to run: README.md beside this file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <random>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFile.h"
#include "catalogue/MappingFormat.h"

namespace tarvek {
namespace {

// Just enough of the seam to hold files in memory; everything else is absent.
class MemoryFiles final : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  bool exists(const std::string& path) override { return files.count(path) != 0; }
  bool stat(const std::string&, FileInfo*) override { return false; }
  std::vector<std::string> findNames(const std::string&) override { return {}; }
  bool readFile(const std::string& path, std::string* data, size_t maxBytes) override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    *data = it->second.substr(0, maxBytes);
    return true;
  }
  WriteResult writeFile(const std::string&, const std::string&) override { return WriteResult::cannotCreate; }
  bool createTemporaryFile(const std::string&, size_t, std::string*) override { return false; }
  bool replaceFile(const std::string&, const std::string&) override { return false; }
  bool removeFile(const std::string&) override { return true; }
  bool createFolder(const std::string&) override { return false; }
  bool freeSpace(const std::string&, uint64_t*) override { return false; }
  bool copyFile(const std::string&, const std::string&, const CopyProgress&) override { return false; }
  std::unique_ptr<OpenFile> openForReading(const std::string&) override { return nullptr; }
  std::unique_ptr<OpenFile> createAnew(const std::string&) override { return nullptr; }
};

class EmptyRegistry final : public Registry {
 public:
  RegStatus readString(Hive, const std::string&, const std::string&, std::string*) override {
    return RegStatus::notFound;
  }
  RegStatus readNumber(Hive, const std::string&, const std::string&, uint32_t*) override { return RegStatus::notFound; }
  bool writeString(Hive, const std::string&, const std::string&, const std::string&) override { return true; }
  bool writeNumber(Hive, const std::string&, const std::string&, uint32_t) override { return true; }
  bool createKey(Hive, const std::string&) override { return true; }
  bool deleteValue(Hive, const std::string&, const std::string&) override { return true; }
  bool deleteKeyTree(Hive, const std::string&) override { return true; }
};

class AsciiCodePage final : public CodePage {
 public:
  std::string toLower(const std::string& text) override {
    std::string out = text;
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
  }
  std::string toUpper(const std::string& text) override {
    std::string out = text;
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
  }
  int compareIgnoreCase(const std::string& a, const std::string& b) override { return toLower(a).compare(toLower(b)); }
  std::string toUtf8(const std::string& ansi) override { return ansi; }
  std::string fromUtf8(const std::string& utf8) override { return utf8; }
};

class NoTime final : public LocalTime {
 public:
  bool fileTimeToLocal(uint64_t, SystemTime*) override { return false; }
  bool localToUtc(const SystemTime&, SystemTime*) override { return false; }
  bool utcToLocal(const SystemTime&, SystemTime*) override { return false; }
};
class NoLibraries final : public LibraryLoader {
 public:
  std::unique_ptr<Library> load(const std::string&) override { return nullptr; }
};
class NoModule final : public Module {
 public:
  std::string text(TextId) override { return {}; }
  std::string fileName() override { return "C:\\Plug_ins\\Tarvek\\query.API"; }
  bool fileVersion(FileVersion*) override { return false; }
};

struct MemoryEnv {
  EmptyRegistry registry;
  MemoryFiles files;
  AsciiCodePage codePage;
  NoTime localTime;
  NoLibraries libraries;
  NoModule module;
  Env env{registry, files, codePage, localTime, libraries, module};
};

constexpr int kFiles = 32767;
constexpr int kTopics = 1000000;

// A large index: 32,767 PDF files sharing a million pages, random topic ids.
const std::string& syntheticMapping(std::vector<uint32_t>* topicIds = nullptr) {
  static std::vector<uint32_t> ids;
  static const std::string bytes = [] {
    std::mt19937 random(2024);
    MappingContent content;
    content.version = kMappingVersion2;
    content.magic = kMappingMagic;
    content.folderList = {"D:\\Library\\Collection\\"};
    for (int f = 0; f < kFiles; ++f) {
      MappingEntry e;
      e.pdfPath = "D:\\Library\\Collection\\Volume " + std::to_string(f % 40) + "\\document-" + std::to_string(f) + ".pdf";
      e.pdfTitle = "Annual report of the collection " + std::to_string(f);
      const int pages = kTopics / kFiles + (f < kTopics % kFiles ? 1 : 0);
      for (int p = 0; p < pages; ++p) {
        e.pageTopics.push_back(random());
        ids.push_back(e.pageTopics.back());
      }
      e.pageCount = pages;
      content.entries.push_back(std::move(e));
    }
    return serializeMapping(content);
  }();
  if (topicIds) *topicIds = ids;
  return bytes;
}

void BM_ParseMapping(benchmark::State& state) {
  const std::string& bytes = syntheticMapping();
  for (auto _ : state) {
    MappingContent content;
    benchmark::DoNotOptimize(parseMapping(bytes, &content));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseMapping)->Unit(benchmark::kMillisecond);

// Parse, path expansion and both indexes: everything of a load but the disk.
void BM_LoadMappingFromMemory(benchmark::State& state) {
  const std::string& bytes = syntheticMapping();
  MemoryEnv env;
  for (auto _ : state) {
    MappingFile mapping(env.env);
    mapping.loadFromBytes("D:\\Library\\law.sbf", bytes);
    benchmark::DoNotOptimize(mapping.count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadMappingFromMemory)->Unit(benchmark::kMillisecond);

// One lookup of a listed topic id, over mappings of growing size: a flat
// time per lookup is the constant time.
void BM_FindTopic(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  std::vector<uint32_t> ids;
  MappingContent content;
  parseMapping(syntheticMapping(&ids), &content);
  content.entries.resize(files);
  size_t topics = 0;
  for (const MappingEntry& e : content.entries) topics += e.pageTopics.size();
  ids.resize(topics);
  MemoryEnv env;
  MappingFile mapping(env.env);
  mapping.loadFromBytes("D:\\Library\\law.sbf", serializeMapping(content));
  std::shuffle(ids.begin(), ids.end(), std::mt19937(7));
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(mapping.findTopic(ids[next]));
    if (++next == ids.size()) next = 0;
  }
  state.counters["topics"] = static_cast<double>(topics);
}
BENCHMARK(BM_FindTopic)->Arg(33)->Arg(328)->Arg(3277)->Arg(kFiles);

void BM_LoadDatabase(benchmark::State& state) {
  std::vector<ActiveIndexEntry> entries(1000);
  for (size_t i = 0; i < entries.size(); ++i) {
    entries[i].indexPath = "d:\\indexes\\collection " + std::to_string(i) + "\\law.sbi";
    entries[i].mappingPath = "d:\\indexes\\collection " + std::to_string(i) + "\\law.sbf";
    entries[i].indexName = "Collection of laws " + std::to_string(i);
    entries[i].indexerNumber = std::to_string(1000 + i);
  }
  MemoryEnv env;
  const std::string bytes = serializeDatabase(entries);
  env.files.files["C:\\Plug_ins\\Tarvek\\tarvek.idb"] = bytes;
  ActiveIndexList list(env.env);
  for (auto _ : state) {
    list.loadDatabase();
    benchmark::DoNotOptimize(list.count());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadDatabase)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvek

BENCHMARK_MAIN();
