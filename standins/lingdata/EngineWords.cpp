#include "standins/lingdata/EngineWords.h"

#include "platform/Cp1250.h"
#include "standins/engine/WordText.h"

namespace tarvek::lingdata {

EngineWords::EngineWords(const std::vector<std::string>& dictionaryWords) {
  for (const auto& utf8 : dictionaryWords) {
    const std::string ansi = cp1250::fromUtf8(utf8);
    std::string lower = sbi::lowerWord(ansi);
    if (lower == ansi) lowerEntries_.insert(lower);
    entries_.insert(std::move(lower));
  }
}

bool EngineWords::isCapitalOfAnEntry(const std::string& utf8) const {
  const std::string ansi = cp1250::fromUtf8(utf8);
  const std::string lower = sbi::lowerWord(ansi);
  return lower != ansi && lowerEntries_.count(lower);
}

std::string EngineWords::word(const std::string& utf8) const {
  const std::string ansi = cp1250::foldToCp1250(utf8);
  if (ansi.empty() || ansi.size() > 255) return {};
  for (char c : ansi)
    if (!sbi::isWordByte(static_cast<unsigned char>(c))) return {};
  std::string lower = sbi::lowerWord(ansi);
  // Only a word with letters beyond the code page differs from the plain
  // conversion, which writes '?' for them.
  if (ansi != cp1250::fromUtf8(utf8) && entries_.count(lower)) return {};
  return lower;
}

}  // namespace tarvek::lingdata
