#pragma once
// The bytes of one word's postings (FORMAT.md): a page count, then per page
// its ordinal (as a difference to the one before), its position count and
// its positions (as differences). Shared by the index writer, the reader and
// the indexer's run files.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/engine/ByteIo.h"
#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

// One word's hits as (ordinal << 16 | position), ascending.
void encodeHits(const std::vector<uint64_t>& hits, ByteWriter& out);

// The same pages held flat, without an allocation per page.
struct PostingList {
  std::vector<uint32_t> ordinals;   // ascending
  std::vector<uint32_t> ends;       // per page, the end of its positions in `positions`
  std::vector<uint16_t> positions;  // ascending within each page
  void clear() {
    ordinals.clear();
    ends.clear();
    positions.clear();
  }
  size_t pages() const { return ordinals.size(); }
  uint32_t begin(size_t page) const { return page == 0 ? 0 : ends[page - 1]; }
};

void encodePostingList(const PostingList& list, ByteWriter& out);

// Decodes one postings block; false when it is inconsistent: no pages, an
// ordinal not below `topicLimit` or out of order, positions out of order or
// past kMaxPosition, or bytes left over.
bool decodePostingList(const uint8_t* data, size_t size, uint32_t topicLimit, PostingList* out);
bool decodePostingBytes(const uint8_t* data, size_t size, uint32_t topicLimit, std::vector<TopicPositions>* out);

}  // namespace tarvek::sbi
