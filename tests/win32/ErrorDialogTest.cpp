// The error dialog built from the real template in the plug-in's resources.
#include "ui/win32/ErrorDialog.h"

#include <gtest/gtest.h>

#include "platform/win32/Win32Services.h"
#include "resources/ErrorDialogIds.h"
#include "tests/win32/DialogDriver.h"

namespace tarvek::win32 {
namespace {

using tarvek::testing::itemText;
using tarvek::testing::itemVisible;
using tarvek::testing::whenDialogAppears;
using tarvek::testing::windowText;

struct Seen {
  std::string title, message, indexLabel, index, fileLabel, file, number, ok;
  bool labelsVisible = false;
  bool hasParent = true;
};

class ErrorDialogTest : public ::testing::Test {
 protected:
  // Shows the report, records what the dialog shows, then ends it with `finish`.
  int showAndRecord(const ErrorReport& report, std::function<void(HWND)> finish) {
    whenDialogAppears([this, finish](HWND dialog) {
      seen.title = windowText(dialog);
      seen.message = itemText(dialog, IDC_ERROR_MESSAGE);
      seen.indexLabel = itemText(dialog, IDC_ERROR_INDEX_LABEL);
      seen.index = itemText(dialog, IDC_ERROR_INDEX);
      seen.fileLabel = itemText(dialog, IDC_ERROR_FILE_LABEL);
      seen.file = itemText(dialog, IDC_ERROR_FILE);
      seen.number = itemText(dialog, IDC_ERROR_NUMBER);
      seen.ok = itemText(dialog, IDOK);
      seen.labelsVisible = itemVisible(dialog, IDC_ERROR_INDEX_LABEL) && itemVisible(dialog, IDC_ERROR_FILE_LABEL);
      seen.hasParent = GetWindow(dialog, GW_OWNER) != nullptr;
      finish(dialog);
    });
    return reporter.show(report);
  }
  static void clickOk(HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

  Win32Module module{currentModule()};
  DialogErrorReporter reporter{currentModule(), module};
  Seen seen;
};

TEST_F(ErrorDialogTest, ErrorShowsAllFivePartsInCodePage1250) {
  EXPECT_EQ(GetACP(), 1250u) << "the tests must run under the Slovak locale";
  const int result = showAndRecord({ErrorKind::error, "Chyba pri otvorení indexu", "d:\\idx\\law.sbi",
                                    "d:\\pdf\\zákon.pdf", 43},
                                   clickOk);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(seen.title, "Chyba");
  EXPECT_EQ(seen.message, "Chyba pri otvorení indexu");
  EXPECT_EQ(seen.index, "d:\\idx\\law.sbi");
  EXPECT_EQ(seen.file, "d:\\pdf\\zákon.pdf");
  EXPECT_EQ(seen.number, "43");
  EXPECT_EQ(seen.indexLabel, "Index:");
  EXPECT_EQ(seen.fileLabel, "S\xFA" "bor:");  // "Súbor:" in code page 1250
  EXPECT_EQ(seen.ok, "OK");
  EXPECT_FALSE(seen.hasParent);
}

TEST_F(ErrorDialogTest, WarningWithMessageOnlyStillShowsBothLabelsAndNoNumber) {
  const int result = showAndRecord({ErrorKind::warning, "Neexistuje", "", "", 0}, clickOk);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(seen.title, "Varovanie");
  EXPECT_EQ(seen.index, "");
  EXPECT_EQ(seen.file, "");
  EXPECT_EQ(seen.number, "");
  EXPECT_TRUE(seen.labelsVisible);
}

TEST_F(ErrorDialogTest, CloseButtonAndEscapeReturnTwo) {
  EXPECT_EQ(showAndRecord({ErrorKind::error, "x", "i", "", 7},
                          [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }),
            2);
  EXPECT_EQ(seen.number, "7");
  EXPECT_EQ(showAndRecord({ErrorKind::error, "x", "i", "", 0},
                          [](HWND dialog) {
                            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                          }),
            2);
}

TEST_F(ErrorDialogTest, EnterChoosesTheDefaultOkButton) {
  EXPECT_EQ(showAndRecord({ErrorKind::warning, "x", "", "", 0},
                          [](HWND dialog) {
                            // What IsDialogMessage does with Enter: the default button's command.
                            const LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
                            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED), 0);
                          }),
            1);
}

}  // namespace
}  // namespace tarvek::win32
