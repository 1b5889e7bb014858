#pragma once
// Objects behind 32-bit handles. A handle packs a slot number, a tag that
// tells handle families apart, and the slot's generation, so a stale handle,
// a handle of the other family or an invented number is recognised and
// refused instead of reaching freed memory.
//
//   bits 0-14 slot + 1 | bit 15 family tag | bits 16-31 generation (never 0)

#include <cstdint>
#include <memory>
#include <vector>

namespace tarvek::sbi {

template <typename T>
class HandleTable {
 public:
  explicit HandleTable(bool tagged) : tag_(tagged ? 0x8000u : 0u) {}

  // 0 when every slot is taken.
  uint32_t add(std::unique_ptr<T> object) {
    size_t slot = 0;
    while (slot < slots_.size() && slots_[slot].object) ++slot;
    if (slot == kMaxSlots) return 0;
    if (slot == slots_.size()) slots_.push_back({});
    Slot& s = slots_[slot];
    s.generation = static_cast<uint16_t>(s.generation + 1 == 0 ? 1 : s.generation + 1);
    s.object = std::move(object);
    return (uint32_t{s.generation} << 16) | tag_ | static_cast<uint32_t>(slot + 1);
  }

  // The object, or null for anything but a live handle of this table.
  T* find(uint32_t handle) const {
    const Slot* s = slotOf(handle);
    return s ? s->object.get() : nullptr;
  }

  std::unique_ptr<T> remove(uint32_t handle) {
    Slot* s = const_cast<Slot*>(slotOf(handle));
    return s ? std::move(s->object) : nullptr;
  }

 private:
  static constexpr size_t kMaxSlots = 0x7FFF;
  struct Slot {
    uint16_t generation = 0;
    std::unique_ptr<T> object;
  };
  const Slot* slotOf(uint32_t handle) const {
    const uint32_t slot = handle & 0x7FFF;
    if ((handle & 0x8000) != tag_ || slot == 0 || slot > slots_.size()) return nullptr;
    const Slot& s = slots_[slot - 1];
    return s.object && s.generation == (handle >> 16) ? &s : nullptr;
  }
  uint32_t tag_;
  std::vector<Slot> slots_;
};

}  // namespace tarvek::sbi
