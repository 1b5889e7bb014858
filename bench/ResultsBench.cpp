// Sorting the result set by a column of the results list: 10,000 files, the
// keys of every file computed once per sort (the time columns ask the local
// time seam for each file), then a comparison sort and the reorder.
#include <benchmark/benchmark.h>

#include <random>

#include "tests/fakes/FakeServices.h"
#include "ui/ResultColumns.h"

namespace tarvek {
namespace {

SearchResultSet makeResults(int files) {
  SearchResultSet results;
  std::mt19937 random(7);
  for (int i = 0; i < files; ++i) {
    const int position = results.addFile("C:\\Zbierka\\" + std::to_string(random() % 1000) + "\\subor" +
                                             std::to_string(random()) + ".pdf",
                                         8);
    FileHit& file = results.file(position);
    file.recordPage(static_cast<int32_t>(random() % 8), random() % 50);
    file.sizeText = std::to_string(random() % 10000000);
    file.pdfTitle = "Dokument " + std::to_string(random());
    file.indexName = "Index " + std::to_string(random() % 10);
    file.modified = {static_cast<uint16_t>(1990 + random() % 35), static_cast<uint16_t>(1 + random() % 12), 0,
                     static_cast<uint16_t>(1 + random() % 28), static_cast<uint16_t>(random() % 24),
                     static_cast<uint16_t>(random() % 60), static_cast<uint16_t>(random() % 60), 0};
  }
  results.computeTotals();
  results.selectFile(0);
  return results;
}

void BM_SortByColumn(benchmark::State& state) {
  SearchResultSet results = makeResults(10000);
  testing::FakeLocalTime localTime;
  bool ascending = true;
  for (auto _ : state) {
    ui::sortByColumn(results, static_cast<int>(state.range(0)), ascending, localTime);
    ascending = !ascending;
  }
  state.SetItemsProcessed(state.iterations() * results.fileCount());
}
BENCHMARK(BM_SortByColumn)->Arg(ui::kColumnFile)->Arg(ui::kColumnOccurrences)->Arg(ui::kColumnDate)->Arg(ui::kColumnTime)->Arg(ui::kColumnSize)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvek
BENCHMARK_MAIN();
