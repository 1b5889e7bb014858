#include "standins/engine/LingFormat.h"

#include "standins/engine/WordText.h"

namespace tarvek::sbi::ling {

bool keyLess(Map map, std::string_view a, std::string_view b) {
  if (map != kForms) return a < b;
  const std::string foldedA = foldDiacritics(a, false), foldedB = foldDiacritics(b, false);
  return foldedA != foldedB ? foldedA < foldedB : a < b;
}

}  // namespace tarvek::sbi::ling
