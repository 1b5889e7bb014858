#include "standins/engine/PostingsCodec.h"

namespace tarvek::sbi {

void encodeHits(const std::vector<uint64_t>& hits, ByteWriter& out) {
  uint32_t pages = 0;
  for (size_t i = 0; i < hits.size(); ++i)
    if (i == 0 || (hits[i] >> 16) != (hits[i - 1] >> 16)) ++pages;
  out.varint(pages);
  uint32_t previousPage = 0;
  for (size_t i = 0; i < hits.size();) {
    const uint32_t page = static_cast<uint32_t>(hits[i] >> 16);
    size_t end = i;
    while (end < hits.size() && (hits[end] >> 16) == page) ++end;
    out.varint(i == 0 ? page : page - previousPage);
    out.varint(static_cast<uint32_t>(end - i));
    uint32_t previousPosition = 0;
    for (size_t k = i; k < end; ++k) {
      const uint32_t position = static_cast<uint32_t>(hits[k] & 0xFFFF);
      out.varint(k == i ? position : position - previousPosition);
      previousPosition = position;
    }
    previousPage = page;
    i = end;
  }
}

void encodePostingList(const PostingList& list, ByteWriter& out) {
  out.varint(static_cast<uint32_t>(list.pages()));
  for (size_t p = 0; p < list.pages(); ++p) {
    out.varint(p == 0 ? list.ordinals[0] : list.ordinals[p] - list.ordinals[p - 1]);
    const uint32_t first = list.begin(p), end = list.ends[p];
    out.varint(end - first);
    for (uint32_t k = first; k < end; ++k)
      out.varint(k == first ? list.positions[k] : list.positions[k] - list.positions[k - 1]);
  }
}

bool decodePostingList(const uint8_t* data, size_t size, uint32_t topicLimit, PostingList* out) {
  out->clear();
  ByteReader in(data, size);
  const uint32_t pages = in.varint();
  if (!in.ok() || pages == 0 || pages > in.remaining()) return false;
  out->ordinals.reserve(pages);
  out->ends.reserve(pages);
  uint64_t ordinal = 0;
  for (uint32_t p = 0; p < pages; ++p) {
    const uint32_t delta = in.varint();
    if (p > 0 && delta == 0) return false;
    ordinal = p == 0 ? delta : ordinal + delta;
    const uint32_t count = in.varint();
    if (!in.ok() || ordinal >= topicLimit || count == 0 || count > in.remaining()) return false;
    uint64_t position = 0;
    for (uint32_t k = 0; k < count; ++k) {
      const uint32_t step = in.varint();
      if (k > 0 && step == 0) return false;
      position = k == 0 ? step : position + step;
      if (position > kMaxPosition) return false;
      out->positions.push_back(static_cast<uint16_t>(position));
    }
    out->ordinals.push_back(static_cast<uint32_t>(ordinal));
    out->ends.push_back(static_cast<uint32_t>(out->positions.size()));
  }
  return in.atEnd();
}

bool decodePostingBytes(const uint8_t* data, size_t size, uint32_t topicLimit, std::vector<TopicPositions>* out) {
  out->clear();
  PostingList list;
  if (!decodePostingList(data, size, topicLimit, &list)) return false;
  out->reserve(list.pages());
  for (size_t p = 0; p < list.pages(); ++p)
    out->push_back({list.ordinals[p], std::vector<uint16_t>(list.positions.begin() + list.begin(p),
                                                            list.positions.begin() + list.ends[p])});
  return true;
}

}  // namespace tarvek::sbi
