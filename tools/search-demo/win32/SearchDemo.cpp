// search-demo.exe: the product's catalogue and search core run on the sample
// collection with the stand-in engine, the way the plug-in will run them once
// its search dialog exists. It adds the sample indexes to an active index
// database, saves it, runs a few searches and prints what each found.
//
//   search-demo.exe PLUGIN_FOLDER SAMPLES_FOLDER
//
// PLUGIN_FOLDER holds vovar_av.dll (and receives tarvek.idb); SAMPLES_FOLDER
// holds the sample indexes. Reports that the plug-in would show in its error
// dialog are printed instead, so the demo runs unattended.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/ActiveIndexList.h"
#include "platform/win32/Win32Services.h"
#include "engine/LibraryEngine.h"
#include "search/SearchFlags.h"
#include "search/SearchHistory.h"
#include "search/SearchResultSet.h"
#include "search/SearchRun.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "engine/Alert.h"
#include "search/ErrorReport.h"

namespace tarvek {
namespace {

// Everything printed goes out as UTF-8, whatever the ANSI code page.
class Printer {
 public:
  explicit Printer(CodePage& codePage) : codePage_(codePage) {}
  void line(const std::string& utf8) { std::printf("%s\n", utf8.c_str()); }
  std::string utf8(const std::string& ansi) { return codePage_.toUtf8(ansi); }
  std::string ansi(const std::string& utf8) { return codePage_.fromUtf8(utf8); }

 private:
  CodePage& codePage_;
};

class PrintingReporter final : public ErrorReporter {
 public:
  PrintingReporter(Printer& out, Module& texts) : out_(out), texts_(texts) {}
  int show(const ErrorReport& r) override {
    const TextId title = r.kind == ErrorKind::warning ? kTextWarningTitle : kTextErrorTitle;
    out_.line("  [" + out_.utf8(texts_.text(title)) + "] " + out_.utf8(r.message) + " | Index: " +
              out_.utf8(r.indexPath) + " | S\xC3\xBA" "bor: " + out_.utf8(r.filePath) + " | " +
              errorNumberText(r.number));
    return kReportOk;
  }

 private:
  Printer& out_;
  Module& texts_;
};

class PrintingAlert final : public Alert {
 public:
  explicit PrintingAlert(Printer& out) : out_(out) {}
  void note(const std::string& message) override { out_.line("  [alert] " + out_.utf8(message)); }

 private:
  Printer& out_;
};

class QuietDialog final : public SearchDialogActions {
 public:
  void enablePreviousResult(bool) override {}
  void closeWithOk() override {}
  void openResults() override {}
};

struct DemoQuery {
  const char* title;   // UTF-8
  const char* query;   // UTF-8
  int operatorPosition;
  bool lemmatization;
  bool synonyms;
  bool fuzzyDia;
  int languagePosition;
};

void printResults(Printer& out, const SearchResultSet& results) {
  for (int f = 0; f < results.fileCount(); ++f) {
    const FileHit& hit = results.file(f);
    std::string pages;
    for (int32_t p = 0; p < hit.pageCount; ++p) {
      if (!hit.isHit(p)) continue;
      std::string positions;
      for (uint32_t value : hit.pageOccurrences(p))
        positions += (positions.empty() ? "" : ",") + std::to_string(value & 0xFFFF);
      pages += " p" + std::to_string(p + 1) + "[" + positions + "]";
    }
    out.line("  " + out.utf8(hit.filePath) + "  (" + out.utf8(hit.indexName) + ", " +
             std::to_string(hit.occurrenceTotal) + " hits)" + pages);
  }
}

int run(const std::string& pluginFolder, const std::string& samplesFolder) {
  win32::Win32Env win32Env(win32::currentModule());
  Env& env = win32Env.env();
  Printer out(env.codePage);
  settings::Settings settings(env.registry);

  // What the installer leaves behind: the database path in the machine hive.
  settings.writeProductText(Hive::localMachine, settings::kActiveIndexesPath, pluginFolder + "\\tarvek.idb");

  std::unique_ptr<Library> library = env.libraries.load(pluginFolder + "\\vovar_av.dll");
  if (!library) {
    out.line("cannot load " + pluginFolder + "\\vovar_av.dll");
    return 1;
  }
  LibraryEngine engine(*library);
  PrintingAlert alert(out);
  PrintingReporter reporter(out, env.module);

  ActiveIndexList list(env);
  list.loadDatabase();
  for (const char* name : {"vzorky_sk.sbi", "samples_en.sbi"}) list.addIndex(samplesFolder + "\\" + name, engine, alert);
  const bool saved = list.saveDatabase();
  out.line("Active index database " + out.utf8(list.databasePath()) + (saved ? " saved" : " NOT saved") + ":");
  for (int i = 0; i < list.count(); ++i) {
    const ActiveIndexEntry& e = list.entry(i);
    out.line("  \"" + out.utf8(e.indexName) + "\" language " + std::to_string(e.language) + ", " +
             std::to_string(e.wordCount) + " words, " + out.utf8(e.indexPath));
  }

  const std::vector<DemoQuery> queries = {
      {"Slovak, AND, lemmatization (every form of the word)", "knihou", kOperatorAnd, true, false, false, 0},
      {"Slovak, no accents typed, Fuzzy Dia", "prirody", kOperatorAnd, false, false, true, 0},
      {"Slovak, a word found only on scanned pages (read by OCR)", "nájomca", kOperatorAnd, false, false, false, 0},
      {"English, phrase", "kitchen garden", kOperatorNext, false, false, false, 0},
      {"English only, OR", "compost seedlings", kOperatorOr, false, false, false, 2},
      {"Only excluded words", "a by", kOperatorAnd, false, false, false, 0},
  };
  RegistrySearchHistory history(settings);
  SearchResultSet& results = processResultSet();
  std::vector<std::string> remembered;
  SearchContext context{env, engine, reporter, results, history, list, remembered};
  QuietDialog dialog;
  for (const DemoQuery& q : queries) {
    SearchRequest request;
    request.queryText = out.ansi(q.query);
    request.operatorPosition = q.operatorPosition;
    request.nearText = "8";
    request.lemmatization = q.lemmatization;
    request.synonyms = q.synonyms;
    request.fuzzyDia = q.fuzzyDia;
    request.languagePosition = q.languagePosition;
    for (int i = 0; i < list.count(); ++i) request.selectedIndexNames.push_back(list.entry(i).indexName);
    out.line("");
    out.line(std::string(q.title) + ": \"" + q.query + "\"");
    const int found = runSearch(context, request, dialog);
    out.line("  " + std::to_string(found) + " files, " + std::to_string(results.totalHitPages()) + " pages");
    printResults(out, results);
  }
  return 0;
}

}  // namespace
}  // namespace tarvek

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: search-demo.exe PLUGIN_FOLDER SAMPLES_FOLDER\n");
    return 2;
  }
  try {
    return tarvek::run(argv[1], argv[2]);
  } catch (...) {
    std::fprintf(stderr, "search-demo: unexpected failure\n");
    return 1;
  }
}
