// A search over two indexes with the real error dialog and the engine double
// loaded by full path: the index that cannot be opened is reported with its
// path and the engine's code, and the other index's hits still arrive.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "resources/ErrorDialogIds.h"
#include "engine/LibraryEngine.h"
#include "search/SearchFlags.h"
#include "search/SearchHistory.h"
#include "search/SearchResultSet.h"
#include "search/SearchRun.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "platform/win32/Win32Services.h"
#include "tests/win32/DialogDriver.h"
#include "tests/win32/ScratchFolder.h"
#include "ui/win32/ErrorDialog.h"

namespace tarvek {
namespace {

using testing::itemText;
using testing::whenDialogAppears;
using testing::windowText;

struct SeenDialog {
  std::string title, message, index, file, number;
};

struct DialogRecorder final : SearchDialogActions {
  void enablePreviousResult(bool enable) override { log += enable ? "enable " : "disable "; }
  void closeWithOk() override { log += "close "; }
  void openResults() override { log += "results"; }
  std::string log;
};

class SearchRunWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    wipeRegistry();
    settings::Settings(env.env().registry)
        .writeProductText(Hive::localMachine, settings::kActiveIndexesPath, scratch / "tarvek.idb");
  }
  void TearDown() override { wipeRegistry(); }
  void wipeRegistry() {
    ASSERT_TRUE(env.env().registry.deleteKeyTree(Hive::localMachine, settings::kProductKey));
    ASSERT_TRUE(env.env().registry.deleteKeyTree(Hive::currentUser, settings::kProductKey));
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "\\" + name, std::ios::binary) << bytes;
  }
  ActiveIndexEntry entry(const std::string& name, const std::string& file) {
    ActiveIndexEntry e;
    e.indexName = name;
    e.indexPath = folder + "\\" + file + ".sbi";
    e.mappingPath = folder + "\\" + file + ".sbf";
    return e;
  }

  win32::Win32Env env{win32::currentModule()};
  testing::ScratchFolder scratch{"search"};
  const std::string folder = scratch.path();
};

TEST_F(SearchRunWin32Test, FailingIndexIsReportedAndTheSearchGoesOn) {
  // Two indexes; both mappings list a.pdf, whose three pages are topics 7, 8, 9.
  write("tarvek.idb", serializeDatabase({entry("Broken", "broken"), entry("Law", "law")}));
  MappingContent mapping;
  mapping.version = kMappingVersion2;
  mapping.magic = kMappingMagic;
  MappingEntry pdf;
  pdf.pdfPath = "$DOCS\\a.pdf";  // no registry value: the mapping's own folder
  pdf.pdfTitle = "Zákon o archívoch";
  pdf.pageCount = 3;
  pdf.fileSize = 77;
  pdf.pageTopics = {7, 8, 9};
  mapping.entries = {pdf};
  mapping.entryCount = 1;
  write("broken.sbf", serializeMapping(mapping));
  write("law.sbf", serializeMapping(mapping));
  write("a.pdf", "%PDF-1.4");
  write("engine.ini", "failopen broken.sbi 17\ntopic 9 4 11\n");
  ASSERT_TRUE(SetEnvironmentVariableA("TARVEK_ENGINE_DOUBLE", (folder + "\\engine.ini").c_str()));

  std::unique_ptr<Library> library = env.env().libraries.load(TARVEK_ENGINE_DOUBLE);
  ASSERT_TRUE(library) << TARVEK_ENGINE_DOUBLE;
  LibraryEngine engine(*library);
  win32::DialogErrorReporter reporter(win32::currentModule(), env.module());
  settings::Settings settings(env.env().registry);
  RegistrySearchHistory history(settings);
  SearchResultSet results;
  ActiveIndexList list(env.env());
  list.loadDatabase();
  ASSERT_EQ(list.count(), 2);
  std::vector<std::string> remembered;
  SearchContext context{env.env(), engine, reporter, results, history, list, remembered};

  std::vector<SeenDialog> seen;
  whenDialogAppears([&](HWND dialog) {
    seen.push_back({windowText(dialog), itemText(dialog, IDC_ERROR_MESSAGE), itemText(dialog, IDC_ERROR_INDEX),
                    itemText(dialog, IDC_ERROR_FILE), itemText(dialog, IDC_ERROR_NUMBER)});
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  SearchRequest request;
  request.queryText = "archív";
  request.operatorPosition = kOperatorAnd;
  request.nearText = "8";
  request.selectedIndexNames = {"Broken", "Law"};
  DialogRecorder dialog;
  EXPECT_EQ(runSearch(context, request, dialog), 1);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].title, "Chyba");
  EXPECT_EQ(seen[0].message, "Chyba pri otvoren\xED indexu");  // code page 1250
  EXPECT_EQ(seen[0].index, folder + "\\broken.sbi");
  EXPECT_EQ(seen[0].file, "");
  EXPECT_EQ(seen[0].number, "17");

  EXPECT_EQ(dialog.log, "enable close results");
  ASSERT_EQ(results.fileCount(), 1);
  const FileHit& hit = results.file(0);
  EXPECT_EQ(hit.filePath, folder + "\\a.pdf");
  EXPECT_EQ(hit.indexName, "Law");
  EXPECT_EQ(hit.sizeText, "8");  // refreshed from the disk
  EXPECT_EQ(hit.occurrenceCounts, (std::vector<int32_t>{-1, -1, 2}));
  EXPECT_EQ(hit.pageOccurrences(2), (std::vector<uint32_t>{4, 11}));
  EXPECT_EQ(hit.hitPageCount, 1);
  EXPECT_NE(hit.modified.year, 0);
  EXPECT_EQ(history.entry(0), (HistoryEntry{"archív", kOperatorAnd}));
}

}  // namespace
}  // namespace tarvek
