#include "catalogue/TopicIndex.h"

#include <bit>

#include "catalogue/MappingFile.h"

namespace tarvek {

size_t TopicIndex::slotOf(uint32_t topicId) const {
  // Fibonacci hashing: topic ids are often consecutive, and the top bits of
  // the product spread them over the table.
  return static_cast<size_t>((topicId * 0x9E3779B97F4A7C15ull) >> shift_);
}

void TopicIndex::build(const std::vector<MappingEntry>& entries) {
  size_t topics = 0;
  for (const MappingEntry& entry : entries) topics += entry.pageTopics.size();
  clear();
  if (topics == 0) return;
  // At most half full, so probe runs stay short.
  const size_t capacity = std::bit_ceil(topics * 2);
  shift_ = 64 - static_cast<unsigned>(std::countr_zero(capacity));
  slots_.assign(capacity, Slot{0, -1, 0});
  const size_t mask = capacity - 1;
  for (size_t e = 0; e < entries.size(); ++e) {
    const std::vector<uint32_t>& pages = entries[e].pageTopics;
    for (size_t p = 0; p < pages.size(); ++p) {
      size_t slot = slotOf(pages[p]);
      while (slots_[slot].entry >= 0 && slots_[slot].topicId != pages[p]) slot = (slot + 1) & mask;
      // An id already placed came earlier in the scan order and keeps its place.
      if (slots_[slot].entry < 0) slots_[slot] = Slot{pages[p], static_cast<int32_t>(e), static_cast<int32_t>(p)};
    }
  }
}

void TopicIndex::clear() {
  slots_.clear();
  shift_ = 64;
}

std::optional<TopicIndex::Place> TopicIndex::find(uint32_t topicId) const {
  if (slots_.empty()) return std::nullopt;
  const size_t mask = slots_.size() - 1;
  for (size_t slot = slotOf(topicId); slots_[slot].entry >= 0; slot = (slot + 1) & mask)
    if (slots_[slot].topicId == topicId) return Place{slots_[slot].entry, slots_[slot].page};
  return std::nullopt;
}

}  // namespace tarvek
