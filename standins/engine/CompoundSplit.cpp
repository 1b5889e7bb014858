#include "standins/engine/CompoundSplit.h"

namespace tarvek::sbi {

bool writesCompoundsAsOneWord(uint32_t language) {
  constexpr uint32_t kGerman = 4, kHungarian = 5;
  return language == kGerman || language == kHungarian;
}

bool splitCompound(ling::LingReader& data, std::string_view word, bool ignoreDiacritics, CompoundSplit* split) {
  split->headSize = 0;
  split->tailLemmas.clear();
  if (!writesCompoundsAsOneWord(data.language())) return true;
  // From the shortest head, so the first tail the data knows is the longest:
  // "eszköz|táron" rather than "eszköztá|ron".
  for (size_t head = kShortestCompoundPart; head + kShortestCompoundPart <= word.size(); ++head) {
    if (!data.lemmasOf(word.substr(head), ignoreDiacritics, &split->tailLemmas)) return false;
    if (!split->tailLemmas.empty()) {
      split->headSize = head;
      return true;
    }
  }
  return true;
}

}  // namespace tarvek::sbi
