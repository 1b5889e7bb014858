#include "catalogue/win32/ExcludedWordsDialog.h"

#include "catalogue/ExcludedWords.h"
#include "resources/IndexManagerIds.h"

namespace tarvek::win32 {

ExcludedWordsDialog::ExcludedWordsDialog(HINSTANCE resources, Env& env, IndexEngine& engine, Alert& alert,
                                         std::string indexPath, std::string indexName)
    : Dialog(resources, IDD_EXCLUDED_WORDS),
      env_(env),
      engine_(engine),
      alert_(alert),
      indexPath_(std::move(indexPath)),
      indexName_(std::move(indexName)) {}

bool ExcludedWordsDialog::onInit() {
  setItemText(IDC_EW_NAME, indexName_);
  // The template's ES_LOWERCASE turns typed capitals into small letters.
  SendDlgItemMessageA(hwnd(), IDC_EW_WORD, EM_LIMITTEXT, kMaxWordLength, 0);
  fillWords();
  return true;
}

void ExcludedWordsDialog::fillWords() {
  HWND list = item(IDC_EW_LIST);
  // A list of many thousand words is drawn once, after the last one.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  readExcludedWords(engine_, alert_, env_.module, indexPath_, [list](const std::string& word) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(word.c_str()));
  });
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ExcludedWordsDialog::lookUp() {
  HWND list = item(IDC_EW_LIST);
  const std::string typed = itemText(IDC_EW_WORD);
  // The list box finds the first item that begins with the text, ignoring
  // case; nothing found leaves the selection as it was.
  const LRESULT found = SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(typed.c_str()));
  if (found != LB_ERR) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

bool ExcludedWordsDialog::onCommand(int id, int notifyCode, HWND) {
  if (id == IDC_EW_WORD && notifyCode == EN_CHANGE) {
    lookUp();
    return true;
  }
  if (id == IDOK || id == IDCANCEL) {
    end(IDCANCEL);
    return true;
  }
  return false;
}

}  // namespace tarvek::win32
