// The linguistic data the build compiles (build/lingdata): opening a
// language's file, expanding one word with lemmas and synonyms, and the
// memory a language in use holds.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/Cp1250.h"
#include "standins/engine/FilePostings.h"
#include "standins/engine/LingReader.h"
#include "standins/engine/Linguistics.h"

namespace {

using tarvek::sbi::FilePostings;
using tarvek::sbi::ling::LingReader;

struct Language {
  const char* code;
  std::vector<const char*> words;  // UTF-8: a few inflected forms
};

const Language kLanguages[] = {
    {"sk", {"smernicou", "knihách", "bratia", "ženami", "robíme", "zákona"}},
    {"en", {"running", "books", "houses", "children", "walked", "law"}},
    {"cs", {"knihami", "ženách", "děláme", "zákonem", "městech", "lesy"}},
    {"fr", {"maisons", "mangeons", "étaient", "lois", "finissent", "livre"}},
    {"de", {"häusern", "gehst", "kindern", "gesetze", "arbeitete", "bücher"}},
    {"hu", {"házban", "könyvek", "embernek", "városok", "vízben", "törvény"}},
    {"pl", {"książkami", "domach", "robimy", "prawem", "miastach", "lasy"}},
    {"it", {"case", "mangiamo", "leggi", "città", "libri", "andavano"}},
    {"es", {"casas", "comemos", "leyes", "ciudades", "libros", "hablaban"}},
};

std::unique_ptr<LingReader> open(const Language& language, uint16_t code) {
  const std::string path = std::string(TARVEK_LINGDATA_DIR) + "/ling_" + language.code + ".tld";
  auto file = std::make_unique<FilePostings>(path.c_str());
  const int64_t size = file->isOpen() ? file->size() : -1;
  return size < 0 ? nullptr : LingReader::open(std::move(file), static_cast<uint64_t>(size), code);
}

long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

void BM_OpenLanguage(benchmark::State& state) {
  const auto code = static_cast<uint16_t>(state.range(0));
  state.SetLabel(kLanguages[code].code);
  for (auto _ : state) {
    auto reader = open(kLanguages[code], code);
    if (!reader) {
      state.SkipWithError("no data: build the lingdata target");
      return;
    }
    benchmark::DoNotOptimize(reader.get());
  }
}

// Expands the words in turn, each on data opened afresh so that every block
// is read from the file; the open is not counted.
void expandCold(benchmark::State& state, const Language& language, uint16_t code,
                const std::vector<const char*>& typed, bool synonyms) {
  state.SetLabel(language.code);
  size_t words = 0, next = 0;
  std::unique_ptr<LingReader> reader;  // the one before is freed while timing is paused
  for (auto _ : state) {
    state.PauseTiming();
    reader = open(language, code);
    if (!reader) {
      state.SkipWithError("no data: build the lingdata target");
      return;
    }
    const std::string word = tarvek::cp1250::toLower(tarvek::cp1250::fromUtf8(typed[next++ % typed.size()]));
    std::vector<std::string> out;
    state.ResumeTiming();
    tarvek::sbi::expandWord(*reader, word, {true, synonyms, false}, &out);
    words += out.size();
  }
  state.counters["words"] = benchmark::Counter(static_cast<double>(words), benchmark::Counter::kAvgIterations);
}

// One word's lemmas with their forms (range 1 = 0), or lemmas and synonyms
// with every form of every synonym, the most a query word asks (range 1 =
// 1).
void BM_ExpandWordCold(benchmark::State& state) {
  const auto code = static_cast<uint16_t>(state.range(0));
  expandCold(state, kLanguages[code], code, kLanguages[code].words, state.range(1) != 0);
}

// Compounds the data does not know, split before their longest known ending
// (range 1 = 0), or the dearest word (range 1 = 1): a long one no ending of
// which is known, a lookup for every possible head, each in a block of its own.
void BM_ExpandCompoundCold(benchmark::State& state) {
  const auto code = static_cast<uint16_t>(state.range(0));
  static const std::vector<const char*> kGerman = {"datenbankformulare", "symbolleisten", "tabellenzeilen",
                                                   "formularsteuerelemente"};
  static const std::vector<const char*> kHungarian = {"eszköztáron", "adatbázistáblájába", "rajzobjektumokra",
                                                      "menüsoron"};
  static const std::vector<const char*> kDearest = {"qxzvbnmkjhgfdsqwrtzpxqvbnmkjhgfdsaqwert"};
  expandCold(state, kLanguages[code], code, state.range(1) != 0 ? kDearest : code == 4 ? kGerman : kHungarian,
             true);
}

// The memory a language in use adds: its head, and the blocks that
// expanding the listed words (with and without diacritics) leaves cached.
// Measured first in the process and kept open, so that no memory freed by
// another benchmark is reused and hides the growth.
void BM_ResidentPerLanguage(benchmark::State& state) {
  static std::vector<std::unique_ptr<LingReader>> kept;
  const auto code = static_cast<uint16_t>(state.range(0));
  const Language& language = kLanguages[code];
  state.SetLabel(language.code);
  long added = 0;
  for (auto _ : state) {
    const long before = residentKilobytes();
    auto& reader = kept.emplace_back(open(language, code));
    if (!reader) {
      state.SkipWithError("no data: build the lingdata target");
      return;
    }
    std::vector<std::string> out;
    for (const char* w : language.words)
      for (bool fold : {false, true})
        tarvek::sbi::expandWord(*reader, tarvek::cp1250::fromUtf8(w), {true, true, fold}, &out);
    added = residentKilobytes() - before;
  }
  state.counters["resident_kB"] = static_cast<double>(added);
}

}  // namespace

BENCHMARK(BM_ResidentPerLanguage)->DenseRange(0, 8)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLanguage)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);
// Without synonyms a word takes some 30 µs against an untimed open of up to
// 3 ms, which the default half second of timed work would repeat for minutes.
BENCHMARK(BM_ExpandWordCold)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 8, 1), {0}})
    ->MinTime(0.02)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandWordCold)->ArgsProduct({benchmark::CreateDenseRange(0, 8, 1), {1}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandCompoundCold)->ArgsProduct({{4, 5}, {0, 1}})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
