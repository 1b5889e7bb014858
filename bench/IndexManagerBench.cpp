// Selecting an index in the index manager: the mapping file read, every
// listed PDF looked up on the disk, the folder scanned for new ones. Figures
// and how to run: README.md.
#include <benchmark/benchmark.h>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/IndexManager.h"
#include "catalogue/MappingFormat.h"
#include "engine/Alert.h"
#include "engine/IndexEngine.h"
#include "tests/fakes/FakeServices.h"

namespace tarvek {
namespace {

struct NoEngine final : IndexEngine {
  uint32_t indexOpen(const std::string&, uint32_t*, EngineErrorCode* error) override { return *error = 1, 0; }
  uint32_t indexQuery(uint32_t, const std::string&, uint16_t, EngineErrorCode* error) override { return *error = 1, 0; }
  EngineErrorCode topicCount(uint32_t, uint32_t*) override { return 1; }
  EngineErrorCode topic(uint32_t, uint32_t, uint32_t*, uint32_t*) override { return 1; }
  EngineErrorCode topicOccurrences(uint32_t, uint32_t, uint32_t, uint32_t*) override { return 1; }
  EngineErrorCode indexClose(uint32_t) override { return 1; }
  void enumKeys(uint32_t, uint32_t, const std::function<void(const std::string&)>&) override {}
  EngineErrorCode infoNumber(uint32_t, uint32_t, uint32_t*) override { return 1; }
  EngineErrorCode infoText(uint32_t, uint32_t, std::string*) override { return 1; }
  uint32_t apiVersion() override { return 0x00020000; }
  uint16_t lingModules(uint32_t, uint16_t) override { return 0; }
};

struct NoAlert final : Alert {
  void note(const std::string&) override {}
};

// One index whose mapping lists `files` PDF files in one folder, all present,
// and the folder holds as many again that the mapping does not list.
void BM_SelectIndex(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  testing::FakeEnv env;
  MappingContent mapping;
  mapping.version = kMappingVersion2;
  mapping.magic = kMappingMagic;
  mapping.folderList = {"D:\\Pdf\\"};
  for (int f = 0; f < files; ++f) {
    MappingEntry entry;
    entry.pdfPath = "D:\\Pdf\\file" + std::to_string(f) + ".pdf";
    entry.pageCount = 1;
    entry.pageTopics = {static_cast<uint32_t>(f)};
    mapping.entries.push_back(entry);
    env.files.addFile(entry.pdfPath, "");
    env.files.addFile("D:\\Pdf\\new" + std::to_string(f) + ".pdf", "");
  }
  env.files.addFile("D:\\Idx\\big.sbf", serializeMapping(mapping));
  env.files.addFile("D:\\Idx\\big.sbi", "");
  ActiveIndexEntry entry;
  entry.indexPath = "d:\\idx\\big.sbi";
  entry.mappingPath = "d:\\idx\\big.sbf";
  entry.indexName = "Big";
  env.files.addFile("D:\\Data\\tarvek.idb", serializeDatabase({entry}));
  env.registry.put(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "ActiveIndexesPath",
                   {testing::FakeRegistry::Type::string, "D:\\Data\\tarvek.idb"});
  NoEngine engine;
  NoAlert alert;
  IndexManager manager(env.env, engine, alert);
  manager.load();
  for (auto _ : state) {
    const auto properties = manager.properties(0);
    if (!properties || properties->files.size() != static_cast<size_t>(2 * files)) state.SkipWithError("wrong files");
    benchmark::DoNotOptimize(properties);
  }
  state.SetItemsProcessed(state.iterations() * 2 * files);
}
BENCHMARK(BM_SelectIndex)->Arg(1000)->Arg(16383)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvek

BENCHMARK_MAIN();
