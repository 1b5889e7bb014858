#pragma once
// Topic id -> (entry, page) of a mapping, answering as the scan over entries
// and pages in order would: the first entry and page holding the id win.
// Open addressing over one flat array, so building for a million topics
// costs one allocation and a lookup a probe or two.

#include <cstdint>
#include <optional>
#include <vector>

namespace tarvek {

struct MappingEntry;

class TopicIndex {
 public:
  struct Place {
    int32_t entry;
    int32_t page;
  };

  void build(const std::vector<MappingEntry>& entries);
  void clear();
  std::optional<Place> find(uint32_t topicId) const;
  size_t heldBytes() const { return slots_.capacity() * sizeof(Slot); }

 private:
  struct Slot {
    uint32_t topicId;
    int32_t entry;  // -1 marks an empty slot
    int32_t page;
  };
  size_t slotOf(uint32_t topicId) const;

  std::vector<Slot> slots_;
  unsigned shift_ = 64;
};

}  // namespace tarvek
