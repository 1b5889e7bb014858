#include "search/SearchHistory.h"

#include "search/SearchFlags.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek {

using settings::kSearchHistoryKey;

std::optional<HistoryEntry> RegistrySearchHistory::entry(int position) {
  const std::string text = settings_.readUserText(kSearchHistoryKey, settings::searchEditValueName(position));
  if (text.empty()) return std::nullopt;
  const auto op = settings_.readUserNumber(kSearchHistoryKey, settings::operatorValueName(position));
  return HistoryEntry{text, op ? static_cast<int>(*op) : kMissingOperator};
}

void RegistrySearchHistory::add(const std::string& queryText, int operatorPosition) {
  HistoryEntry moving{queryText, operatorPosition};
  const HistoryEntry newest = moving;
  // Each slot takes the entry from above and hands its old one down, until a
  // free slot, the old copy of the new entry, or the end of the history.
  for (int slot = 0; slot < kMaxEntries && !moving.queryText.empty(); ++slot) {
    const std::optional<HistoryEntry> old = entry(slot);
    settings_.writeUserText(kSearchHistoryKey, settings::searchEditValueName(slot), moving.queryText);
    settings_.writeUserNumber(kSearchHistoryKey, settings::operatorValueName(slot),
                              static_cast<uint32_t>(moving.operatorPosition));
    if (!old || *old == newest) return;
    moving = *old;
  }
}

void RegistrySearchHistory::storeNear(const std::string& nearText) {
  settings_.writeUserNumber(kSearchHistoryKey, settings::kNearValue, tarvek::nearDistance(nearText));
}

int RegistrySearchHistory::nearDistance() {
  const auto near = settings_.readUserNumber(kSearchHistoryKey, settings::kNearValue);
  return near ? static_cast<int>(*near) : kDefaultNear;
}

}  // namespace tarvek
