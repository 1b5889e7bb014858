#pragma once
// "Zoznam vylúčených slov": the excluded words of one index, read from the
// index through the engine, with a look-up by the beginning of a word. It
// only displays; nothing outside it changes.

#include <string>

#include "platform/Env.h"
#include "platform/win32/Dialog.h"

namespace tarvek {
class Alert;
class IndexEngine;
}  // namespace tarvek

namespace tarvek::win32 {

class ExcludedWordsDialog final : public Dialog {
 public:
  // Typed look-ups hold at most this many characters.
  static constexpr int kMaxWordLength = 50;

  // None of the references is owned.
  ExcludedWordsDialog(HINSTANCE resources, Env& env, IndexEngine& engine, Alert& alert, std::string indexPath,
                      std::string indexName);
  void run(HWND owner) { runModal(owner); }

 protected:
  bool onInit() override;
  bool onCommand(int id, int notifyCode, HWND control) override;

 private:
  void fillWords();
  void lookUp();

  Env& env_;
  IndexEngine& engine_;
  Alert& alert_;
  std::string indexPath_;
  std::string indexName_;
};

}  // namespace tarvek::win32
