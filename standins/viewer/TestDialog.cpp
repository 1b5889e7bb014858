#include "standins/viewer/TestDialog.h"

#include <string>
#include <vector>

#include "standins/viewer/Host.h"
#include "standins/viewer/Output.h"
#include "standins/viewer/TestDialogIds.h"

namespace viewer {
namespace {

std::string itemText(HWND dialog, int id) {
  char buffer[512] = {};
  GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
  return buffer;
}

void logOutcome(HWND dialog) {
  HWND languages = GetDlgItem(dialog, IDC_TEST_LANGUAGE);
  HWND indexes = GetDlgItem(dialog, IDC_TEST_INDEXES);
  std::string line = "test dialog ok word " + quoted(utf8FromAnsi(itemText(dialog, IDC_TEST_WORD)));
  char text[256] = {};
  const LRESULT language = SendMessageA(languages, CB_GETCURSEL, 0, 0);
  if (language >= 0) SendMessageA(languages, CB_GETLBTEXT, language, reinterpret_cast<LPARAM>(text));
  line += " language " + quoted(utf8FromAnsi(language >= 0 ? text : ""));
  line += " indexes";
  const int count = static_cast<int>(SendMessageA(indexes, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (SendMessageA(indexes, LB_GETSEL, i, 0) <= 0) continue;
    SendMessageA(indexes, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    line += " " + quoted(utf8FromAnsi(text));
  }
  line += IsDlgButtonChecked(dialog, IDC_TEST_LEMMATIZATION) == BST_CHECKED ? " lemmatization on" : " lemmatization off";
  host().log(line);
}

INT_PTR handle(HWND dialog, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG: {
      for (const char* language : {"slovenský", "anglický", "nemecký"}) {
        const std::string ansi = ansiFromUtf8(language);
        SendDlgItemMessageA(dialog, IDC_TEST_LANGUAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
      }
      SendDlgItemMessageA(dialog, IDC_TEST_LANGUAGE, CB_SETCURSEL, 0, 0);
      for (const char* index : {"Zákony", "Vyhlášky", "Nariadenia"}) {
        const std::string ansi = ansiFromUtf8(index);
        SendDlgItemMessageA(dialog, IDC_TEST_INDEXES, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
      }
      return TRUE;
    }
    case WM_COMMAND: {
      // Each control's own notification, as the script commands must cause them.
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (id == IDC_TEST_WORD && code == EN_CHANGE) host().log("test dialog word changed");
      if (id == IDC_TEST_LANGUAGE && code == CBN_SELCHANGE) host().log("test dialog language changed");
      if (id == IDC_TEST_INDEXES && code == LBN_SELCHANGE) host().log("test dialog indexes changed");
      if (id == IDC_TEST_LEMMATIZATION && code == BN_CLICKED) host().log("test dialog lemmatization clicked");
      if (LOWORD(wParam) == IDOK) {
        logOutcome(dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        host().log("test dialog cancelled");
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  try {
    return handle(dialog, message, wParam);
  } catch (...) {
    return FALSE;  // no exception unwinds through Windows
  }
}

}  // namespace

void runTestDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VIEWER_TEST), owner, procedure, 0);
}

}  // namespace viewer
