#include "standins/engine/SbiReader.h"

#include <cstring>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"

namespace tarvek::sbi {

EngineError readIndex(const uint8_t* data, size_t size, bool verifyChecksum, IndexData* index) {
  if (size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) return kNotAnIndex;
  if (size < kHeaderSize + 4) return kDamagedIndex;
  ByteReader header(data + sizeof kMagic, kHeaderSize - sizeof kMagic);
  IndexData result;
  result.formatVersion = header.u16();
  if (result.formatVersion != kFormatVersion) return kUnsupportedVersion;
  const size_t bodyEnd = size - 4;
  if (verifyChecksum) {
    ByteReader trailer(data + bodyEnd, 4);
    if (trailer.u32() != crc32(data, bodyEnd)) return kDamagedIndex;
  }
  result.language = header.u16();
  result.attributes = header.u32();
  result.created = header.u32();
  result.updated = header.u32();
  const uint32_t topicCount = header.u32();
  const uint32_t termCount = header.u32();
  const uint32_t excludedCount = header.u32();
  const uint32_t postingsSize = header.u32();
  result.occurrenceCount = header.u32();
  header.u32();  // reserved

  ByteReader body(data + kHeaderSize, bodyEnd - kHeaderSize);
  result.name = std::string(body.shortText());
  result.indexerNumber = std::string(body.shortText());
  // Each topic takes 4 bytes and each word at least 1, so a count larger than
  // the bytes left is damage, caught before anything is allocated for it.
  if (!body.ok() || topicCount > body.remaining() / 4) return kDamagedIndex;
  result.topicIds.resize(topicCount);
  for (auto& id : result.topicIds) id = body.u32();
  if (excludedCount > body.remaining()) return kDamagedIndex;
  result.excluded.reserve(excludedCount);
  for (uint32_t i = 0; i < excludedCount && body.ok(); ++i) {
    std::string word(body.shortText());
    if (word.empty() || (!result.excluded.empty() && word <= result.excluded.back())) return kDamagedIndex;
    result.excluded.push_back(std::move(word));
  }
  if (!body.ok() || termCount > body.remaining() / 2) return kDamagedIndex;
  result.terms.reserve(termCount);
  uint64_t offset = 0;
  for (uint32_t i = 0; i < termCount && body.ok(); ++i) {
    std::string text(body.shortText());
    const uint32_t length = body.varint();
    if (text.empty() || length == 0 || (!result.terms.empty() && text <= result.terms.back().text)) return kDamagedIndex;
    result.terms.push_back({std::move(text), static_cast<uint32_t>(offset), length});
    offset += length;
  }
  if (!body.ok() || offset != postingsSize || body.remaining() != postingsSize) return kDamagedIndex;
  const std::string_view blob = body.bytes(postingsSize);
  result.postings.assign(blob.begin(), blob.end());
  result.fileSize = size;
  *index = std::move(result);
  return kOk;
}

bool decodePostings(const IndexData& index, const Term& term, std::vector<TopicPositions>* out) {
  out->clear();
  if (uint64_t{term.postingsOffset} + term.postingsSize > index.postings.size()) return false;
  ByteReader in(index.postings.data() + term.postingsOffset, term.postingsSize);
  const uint32_t pages = in.varint();
  if (!in.ok() || pages == 0 || pages > in.remaining()) return false;
  out->reserve(pages);
  uint64_t ordinal = 0;
  for (uint32_t p = 0; p < pages; ++p) {
    const uint32_t delta = in.varint();
    if (p > 0 && delta == 0) return false;
    ordinal = p == 0 ? delta : ordinal + delta;
    const uint32_t count = in.varint();
    if (!in.ok() || ordinal >= index.topicIds.size() || count == 0 || count > in.remaining()) return false;
    TopicPositions hits{static_cast<uint32_t>(ordinal), {}};
    hits.positions.reserve(count);
    uint64_t position = 0;
    for (uint32_t k = 0; k < count; ++k) {
      const uint32_t step = in.varint();
      if (k > 0 && step == 0) return false;
      position = k == 0 ? step : position + step;
      if (position > kMaxPosition) return false;
      hits.positions.push_back(static_cast<uint16_t>(position));
    }
    out->push_back(std::move(hits));
  }
  return in.atEnd();
}

}  // namespace tarvek::sbi
