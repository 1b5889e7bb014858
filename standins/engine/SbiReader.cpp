#include "standins/engine/SbiReader.h"

#include <cstring>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"

namespace tarvek::sbi {
namespace {

constexpr size_t kHeadSizeField = 44;

uint32_t readU32(const uint8_t* at) {
  ByteReader in(at, 4);
  return in.u32();
}

}  // namespace

size_t headBytesNeeded(const uint8_t* header, size_t size) {
  if (size < kHeaderSize || std::memcmp(header, kMagic, sizeof kMagic) != 0) return 0;
  const uint32_t headSize = readU32(header + kHeadSizeField);
  return headSize < kHeaderSize ? 0 : size_t{headSize} + 4;
}

EngineError readIndex(const uint8_t* data, size_t available, uint64_t fileSize, bool verifyChecksums,
                      IndexData* index) {
  if (available > fileSize) available = static_cast<size_t>(fileSize);
  if (available < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) return kNotAnIndex;
  if (available < kHeaderSize) return kDamagedIndex;
  ByteReader header(data + sizeof kMagic, kHeaderSize - sizeof kMagic);
  IndexData result;
  result.formatVersion = header.u16();
  if (result.formatVersion != kFormatVersion) return kUnsupportedVersion;
  result.language = header.u16();
  result.attributes = header.u32();
  result.created = header.u32();
  result.updated = header.u32();
  const uint32_t topicCount = header.u32();
  const uint32_t termCount = header.u32();
  const uint32_t excludedCount = header.u32();
  const uint32_t postingsSize = header.u32();
  result.occurrenceCount = header.u32();
  const uint32_t headSize = header.u32();
  // The file is the head, its checksum and the postings, exactly.
  if (headSize < kHeaderSize || headSize > available - 4 || uint64_t{headSize} + 4 + postingsSize != fileSize)
    return kDamagedIndex;
  if (verifyChecksums && readU32(data + headSize) != crc32(data, headSize)) return kDamagedIndex;

  ByteReader body(data + kHeaderSize, headSize - kHeaderSize);
  result.name = std::string(body.shortText());
  result.indexerNumber = std::string(body.shortText());
  // Each topic takes 4 bytes, each excluded word 2 and each term 6 at least,
  // so a count larger than the bytes left is damage, caught before anything
  // is allocated for it.
  if (!body.ok() || topicCount > body.remaining() / 4) return kDamagedIndex;
  result.topicIds.resize(topicCount);
  for (auto& id : result.topicIds) id = body.u32();
  if (excludedCount > body.remaining() / 2) return kDamagedIndex;
  result.excluded.reserve(excludedCount);
  for (uint32_t i = 0; i < excludedCount && body.ok(); ++i) {
    std::string word(body.shortText());
    if (word.empty() || (!result.excluded.empty() && word <= result.excluded.back())) return kDamagedIndex;
    result.excluded.push_back(std::move(word));
  }
  if (!body.ok() || termCount > body.remaining() / 6) return kDamagedIndex;
  result.terms.reserve(termCount);
  uint64_t offset = 0;
  for (uint32_t i = 0; i < termCount && body.ok(); ++i) {
    std::string text(body.shortText());
    const uint32_t length = body.varint();
    const uint32_t crc = body.u32();
    if (text.empty() || length == 0 || (!result.terms.empty() && text <= result.terms.back().text))
      return kDamagedIndex;
    result.terms.push_back({std::move(text), static_cast<uint32_t>(offset), length, crc});
    offset += length;
  }
  if (!body.atEnd() || offset != postingsSize) return kDamagedIndex;
  result.postingsStart = uint64_t{headSize} + 4;
  result.postingsSize = postingsSize;
  result.fileSize = fileSize;
  *index = std::move(result);
  return kOk;
}

bool decodePostings(const IndexData& index, const Term& term, PostingsSource& source, bool verifyChecksum,
                    std::vector<TopicPositions>* out) {
  out->clear();
  if (uint64_t{term.postingsOffset} + term.postingsSize > index.postingsSize) return false;
  std::vector<uint8_t> block;
  if (!source.read(index.postingsStart + term.postingsOffset, term.postingsSize, &block)) return false;
  if (verifyChecksum && crc32(block.data(), block.size()) != term.postingsCrc) return false;
  ByteReader in(block.data(), block.size());
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
