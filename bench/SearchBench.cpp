// Merging an index's hits into the result set, against the linear scans the
// straightforward design would use. Figures and how to run: README.md.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/MappingFile.h"
#include "catalogue/MappingFormat.h"
#include "engine/IndexEngine.h"
#include "search/SearchHistory.h"
#include "search/SearchResultSet.h"
#include "search/SearchRun.h"
#include "tests/fakes/FakeServices.h"
#include "search/ErrorReport.h"

namespace tarvek {
namespace {

constexpr int kFiles = 32767;
constexpr int kTopics = 1000000;
const std::string kMappingPath = "d:\\idx\\big.sbf";
const std::string kIndexPath = "d:\\idx\\big.sbi";

// A mapping of 32,767 files sharing a million pages, topic ids shuffled, and
// the list of every topic id in a random order for the engine to answer from.
struct Corpus {
  std::string bytes;
  std::vector<uint32_t> hitOrder;
  Corpus() {
    std::mt19937 random(42);
    std::vector<uint32_t> ids(kTopics);
    std::iota(ids.begin(), ids.end(), 1000u);
    std::shuffle(ids.begin(), ids.end(), random);
    MappingContent content;
    content.version = kMappingVersion2;
    content.magic = kMappingMagic;
    size_t next = 0;
    for (int f = 0; f < kFiles; ++f) {
      MappingEntry entry;
      entry.pdfPath = "$DOCS\\folder" + std::to_string(f % 100) + "\\file" + std::to_string(f) + ".pdf";
      entry.pdfTitle = "Title " + std::to_string(f);
      entry.fileSize = 100000;
      const size_t pages = kTopics / kFiles + (static_cast<size_t>(f) < kTopics % kFiles ? 1 : 0);
      entry.pageTopics.assign(ids.begin() + next, ids.begin() + next + pages);
      entry.pageCount = static_cast<int32_t>(pages);
      next += pages;
      content.entries.push_back(std::move(entry));
    }
    content.entryCount = kFiles;
    bytes = serializeMapping(content);
    hitOrder = ids;
    std::shuffle(hitOrder.begin(), hitOrder.end(), random);
  }
};

const Corpus& corpus() {
  static const Corpus c;
  return c;
}

// Answers the first `hits` topic ids of the corpus, two occurrences each.
class ListEngine final : public IndexEngine {
 public:
  explicit ListEngine(size_t hits) : hits_(hits) {}
  uint32_t indexOpen(const std::string&, uint32_t*, EngineErrorCode*) override { return 1; }
  uint32_t indexQuery(uint32_t, const std::string&, uint16_t, EngineErrorCode*) override { return 1; }
  EngineErrorCode topicCount(uint32_t, uint32_t* count) override {
    *count = static_cast<uint32_t>(hits_);
    return 0;
  }
  EngineErrorCode topic(uint32_t, uint32_t t, uint32_t* id, uint32_t* count) override {
    *id = corpus().hitOrder[t];
    *count = 2;
    return 0;
  }
  EngineErrorCode topicOccurrences(uint32_t, uint32_t t, uint32_t count, uint32_t* buffer) override {
    for (uint32_t i = 0; i < count; ++i) buffer[i] = t + i;
    return 0;
  }
  EngineErrorCode indexClose(uint32_t) override { return 0; }
  void enumKeys(uint32_t, uint32_t, const std::function<void(const std::string&)>&) override {}
  EngineErrorCode infoNumber(uint32_t, uint32_t, uint32_t*) override { return 0; }
  EngineErrorCode infoText(uint32_t, uint32_t, std::string*) override { return 0; }
  uint32_t apiVersion() override { return 0x20000; }
  uint16_t lingModules(uint32_t, uint16_t) override { return 0; }

 private:
  size_t hits_;
};

struct NoReports final : ErrorReporter {
  int show(const ErrorReport&) override { return kReportOk; }
};
struct NoHistory final : SearchHistory {
  void add(const std::string&, int) override {}
  void storeNear(const std::string&) override {}
};

struct Bench {
  testing::FakeEnv env;
  MappingFile mapping{env.env};
  ActiveIndexList list{env.env};
  NoReports reports;
  NoHistory history;
  SearchResultSet results;
  std::vector<std::string> remembered;
  Bench() { mapping.loadFromBytes(kMappingPath, corpus().bytes); }
};

void BM_SearchLoadedIndex(benchmark::State& state) {
  Bench bench;
  ListEngine engine(static_cast<size_t>(state.range(0)));
  SearchContext context{bench.env.env, engine, bench.reports, bench.results, bench.history, bench.list,
                        bench.remembered};
  for (auto _ : state) {
    bench.results.clear();
    searchLoadedIndex(context, bench.mapping, "Big", kIndexPath, "q", 0x20);
    benchmark::DoNotOptimize(bench.results.fileCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchLoadedIndex)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The merge as linear scans: each topic walks the files and their pages until
// its id turns up, each mapped topic walks the result files by path.
void referenceMerge(MappingFile& mapping, ListEngine& engine, SearchResultSet& results, size_t hits) {
  std::vector<FileHit> files;
  for (uint32_t t = 0; t < hits; ++t) {
    uint32_t id = 0, count = 0;
    engine.topic(1, t, &id, &count);
    const MappingEntry* found = nullptr;
    int page = -1;
    for (int e = 0; e < mapping.count() && !found; ++e) {
      const MappingEntry* entry = mapping.entry(e);
      for (int p = 0; p < entry->pageCount; ++p)
        if (entry->pageTopics[p] == id) {
          found = entry;
          page = p;
          break;
        }
    }
    if (!found) continue;
    FileHit* hit = nullptr;
    for (FileHit& f : files)
      if (f.filePath == found->pdfPath) {
        hit = &f;
        break;
      }
    if (!hit) {
      files.emplace_back();
      hit = &files.back();
      hit->filePath = found->pdfPath;
      hit->pageCount = found->pageCount;
      hit->occurrenceCounts.assign(found->pageCount, kNoHit);
      hit->occurrences.resize(found->pageCount);
    }
    if (hit->isHit(page)) continue;
    engine.topicOccurrences(1, t, count, hit->recordPage(page, count));
  }
  benchmark::DoNotOptimize(files.data());
  benchmark::DoNotOptimize(results.fileCount());
}

void BM_LinearReferenceMerge(benchmark::State& state) {
  Bench bench;
  const size_t hits = static_cast<size_t>(state.range(0));
  ListEngine engine(hits);
  for (auto _ : state) referenceMerge(bench.mapping, engine, bench.results, hits);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LinearReferenceMerge)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The whole searchIndex: reading the mapping file (held by the in-memory
// file system) and indexing its topics, then the merge, which looks each
// file hit up on the disk.
void BM_SearchIndexWithLoad(benchmark::State& state) {
  Bench bench;
  bench.env.files.addFile(kMappingPath, corpus().bytes);
  ListEngine engine(static_cast<size_t>(state.range(0)));
  SearchContext context{bench.env.env, engine, bench.reports, bench.results, bench.history, bench.list,
                        bench.remembered};
  for (auto _ : state) {
    bench.results.clear();
    searchIndex(context, "Big", kIndexPath, kMappingPath, "q", 0x20);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchIndexWithLoad)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvek

BENCHMARK_MAIN();
