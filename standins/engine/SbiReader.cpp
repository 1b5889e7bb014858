#include "standins/engine/SbiReader.h"

#include <algorithm>
#include <cstring>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/PostingsCodec.h"

namespace tarvek::sbi {
namespace {

constexpr size_t kHeadSizeField = 40;

uint32_t readU32(const uint8_t* at) {
  ByteReader in(at, 4);
  return in.u32();
}

uint64_t readU64(ByteReader& in) {
  const uint64_t lo = in.u32();
  return lo | (uint64_t{in.u32()} << 32);
}

uint32_t ceilDiv(uint32_t a, uint32_t b) { return a / b + (a % b != 0); }

}  // namespace

size_t headBytesNeeded(const uint8_t* header, size_t size) {
  if (size < kHeaderSizeWithoutLemmas || std::memcmp(header, kMagic, sizeof kMagic) != 0) return 0;
  if ((header[8] != kFormatVersion && header[8] != kFormatVersionWithoutLemmas) || header[9] != 0) return 0;
  if (size < headerSizeOf(header[8])) return 0;
  const uint32_t headSize = readU32(header + kHeadSizeField);
  return headSize < headerSizeOf(header[8]) ? 0 : size_t{headSize} + 4;
}

EngineError readIndex(const uint8_t* data, size_t available, uint64_t fileSize, bool verifyChecksums,
                      IndexData* index) {
  if (available > fileSize) available = static_cast<size_t>(fileSize);
  if (available < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) return kNotAnIndex;
  if (available < sizeof kMagic + 2) return kDamagedIndex;
  IndexData result;
  result.formatVersion = static_cast<uint16_t>(data[8] | (data[9] << 8));
  // An earlier layout would be misread as this one: it has a code of its own,
  // so the tools can say "rebuild it".
  if (result.formatVersion >= 1 && result.formatVersion < kFormatVersionWithoutLemmas) return kOldFormatVersion;
  if (result.formatVersion != kFormatVersion && result.formatVersion != kFormatVersionWithoutLemmas)
    return kUnsupportedVersion;
  const size_t headerSize = headerSizeOf(result.formatVersion);
  if (available < headerSize) return kDamagedIndex;
  ByteReader header(data + 10, headerSize - 10);
  result.language = header.u16();
  result.attributes = header.u32();
  result.created = header.u32();
  result.updated = header.u32();
  result.topicCount = header.u32();
  result.termCount = header.u32();
  const uint32_t excludedCount = header.u32();
  result.occurrenceCount = header.u32();
  const uint32_t headSize = header.u32();
  result.blockCount = header.u32();
  result.postingsStart = readU64(header);
  result.postingsSize = readU64(header);
  result.topicsStart = readU64(header);
  result.dictionaryStart = readU64(header);
  result.dictionarySize = readU64(header);
  result.blockIndexStart = readU64(header);
  result.sourcesStart = readU64(header);
  result.sourcesSize = readU64(header);
  const uint64_t declaredSize = readU64(header);
  if (result.formatVersion == kFormatVersion) {
    result.lemmasStart = readU64(header);
    result.lemmasSize = readU64(header);
  }
  if (!header.atEnd()) return kDamagedIndex;

  // The sections follow one another, each as long as its counts make it, and
  // the last one ends where the file does. Every value is below the file's
  // size before it is added to another, so no sum overflows.
  const auto within = [&](uint64_t v) { return v <= fileSize; };
  if (declaredSize != fileSize || headSize < headerSize || headSize > available - std::min<size_t>(available, 4))
    return kDamagedIndex;
  if (result.blockCount != ceilDiv(result.termCount, kTermsPerBlock)) return kDamagedIndex;
  if (result.postingsStart != uint64_t{headSize} + 4 || !within(result.postingsSize) ||
      result.topicsStart != result.postingsStart + result.postingsSize || !within(result.topicsStart) ||
      result.dictionaryStart != result.topicsStart + topicsSectionSize(result.topicCount) ||
      !within(result.dictionaryStart) || !within(result.dictionarySize) ||
      result.blockIndexStart != result.dictionaryStart + result.dictionarySize || !within(result.blockIndexStart))
    return kDamagedIndex;
  uint64_t blockIndexEnd = result.blockIndexStart + blockIndexSectionSize(result.blockCount);
  // The lemma section, when there is one, stands between the block index and
  // the source-file table.
  if (result.lemmasStart == 0) {
    if (result.lemmasSize != 0) return kDamagedIndex;
  } else {
    if (result.lemmasStart != blockIndexEnd || !within(blockIndexEnd) || result.lemmasSize == 0 ||
        !within(result.lemmasSize) || result.lemmasSize > fileSize - blockIndexEnd)
      return kDamagedIndex;
    blockIndexEnd += result.lemmasSize;
  }
  if (result.sourcesStart == 0) {
    if (result.sourcesSize != 0 || blockIndexEnd != fileSize) return kDamagedIndex;
  } else if (result.sourcesStart != blockIndexEnd || !within(result.sourcesSize) ||
             result.sourcesStart + result.sourcesSize + 4 != fileSize || result.sourcesSize == 0) {
    return kDamagedIndex;
  }
  if (result.termCount > 0 && (result.postingsSize == 0 || result.dictionarySize == 0)) return kDamagedIndex;
  if (verifyChecksums && readU32(data + headSize) != crc32(data, headSize)) return kDamagedIndex;

  ByteReader body(data + headerSize, headSize - headerSize);
  result.name = std::string(body.shortText());
  result.indexerNumber = std::string(body.shortText());
  // Each excluded word takes 2 bytes at least, so a count larger than the
  // bytes left is damage, caught before anything is allocated for it.
  if (!body.ok() || excludedCount > body.remaining() / 2) return kDamagedIndex;
  result.excluded.reserve(excludedCount);
  for (uint32_t i = 0; i < excludedCount && body.ok(); ++i) {
    std::string word(body.shortText());
    if (word.empty() || (!result.excluded.empty() && word <= result.excluded.back())) return kDamagedIndex;
    result.excluded.push_back(std::move(word));
  }
  if (!body.atEnd()) return kDamagedIndex;
  result.fileSize = fileSize;
  *index = std::move(result);
  return kOk;
}

EngineError readIndexHead(PostingsSource& source, uint64_t fileSize, IndexData* index) {
  std::vector<uint8_t> bytes;
  // A version 2 header is shorter; the longer read takes its head's first bytes too.
  const uint32_t headerBytes = static_cast<uint32_t>(std::min<uint64_t>(fileSize, kHeaderSize));
  if (!source.read(0, headerBytes, &bytes)) return kCannotOpenFile;
  const size_t needed = headBytesNeeded(bytes.data(), bytes.size());
  if (needed > headerBytes && needed <= fileSize && !source.read(0, static_cast<uint32_t>(needed), &bytes))
    return kCannotOpenFile;
  return readIndex(bytes.data(), bytes.size(), fileSize, true, index);
}

bool IndexReader::chunk(uint64_t start, uint32_t number, uint32_t entryBytes, uint32_t entriesPerChunk,
                        uint32_t entries, std::vector<uint8_t>* out) {
  const uint32_t first = number * entriesPerChunk;
  const uint32_t count = std::min(entriesPerChunk, entries - first);
  const uint64_t offset = start + uint64_t{number} * (uint64_t{entriesPerChunk} * entryBytes + 4);
  std::vector<uint8_t> bytes;
  if (!source_.read(offset, count * entryBytes + 4, &bytes)) return false;
  if (verify_ && readU32(bytes.data() + count * entryBytes) != crc32(bytes.data(), count * entryBytes)) return false;
  bytes.resize(count * entryBytes);
  *out = std::move(bytes);
  return true;
}

bool IndexReader::topicId(uint32_t ordinal, uint32_t* id) {
  if (ordinal >= index_.topicCount) return false;
  const uint32_t number = ordinal / kTopicsPerChunk;
  auto it = topicChunks_.find(number);
  if (it == topicChunks_.end()) {
    std::vector<uint8_t> bytes;
    if (!chunk(index_.topicsStart, number, 4, kTopicsPerChunk, index_.topicCount, &bytes)) return false;
    std::vector<uint32_t> ids(bytes.size() / 4);
    for (size_t i = 0; i < ids.size(); ++i) ids[i] = readU32(bytes.data() + 4 * i);
    it = topicChunks_.emplace(number, std::move(ids)).first;
  }
  *id = it->second[ordinal % kTopicsPerChunk];
  return true;
}

bool IndexReader::block(uint32_t number, const std::vector<Term>** out) {
  if (auto it = blocks_.find(number); it != blocks_.end()) {
    *out = &it->second;
    return true;
  }
  std::vector<Term> terms;
  if (!readBlock(number, &terms)) return false;
  *out = &blocks_.emplace(number, std::move(terms)).first->second;
  return true;
}

bool IndexReader::readBlock(uint32_t number, std::vector<Term>* out) {
  if (number >= index_.blockCount) return false;
  const uint32_t chunkNumber = number / kBlockEntriesPerChunk;
  auto entries = blockIndexChunks_.find(chunkNumber);
  if (entries == blockIndexChunks_.end()) {
    std::vector<uint8_t> bytes;
    if (!chunk(index_.blockIndexStart, chunkNumber, 8, kBlockEntriesPerChunk, index_.blockCount, &bytes))
      return false;
    entries = blockIndexChunks_.emplace(chunkNumber, std::move(bytes)).first;
  }
  const uint8_t* entry = entries->second.data() + 8 * (number % kBlockEntriesPerChunk);
  const uint32_t offset = readU32(entry), size = readU32(entry + 4);
  if (size < 12 || offset > index_.dictionarySize || size > index_.dictionarySize - offset) return false;
  std::vector<uint8_t> bytes;
  if (!source_.read(index_.dictionaryStart + offset, size, &bytes)) return false;
  if (verify_ && readU32(bytes.data() + size - 4) != crc32(bytes.data(), size - 4)) return false;

  ByteReader in(bytes.data(), size - 4);
  uint64_t postingsOffset = readU64(in);
  const uint32_t count = std::min(kTermsPerBlock, index_.termCount - number * kTermsPerBlock);
  std::vector<Term> terms;
  terms.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    std::string text(in.shortText());
    const uint32_t length = in.varint();
    const uint32_t crc = in.u32();
    if (!in.ok() || text.empty() || length == 0 || (!terms.empty() && text <= terms.back().text) ||
        postingsOffset > index_.postingsSize || length > index_.postingsSize - postingsOffset)
      return false;
    terms.push_back({std::move(text), postingsOffset, length, crc});
    postingsOffset += length;
  }
  if (!in.atEnd()) return false;
  *out = std::move(terms);
  return true;
}

bool IndexReader::term(uint32_t ordinal, const Term** out) {
  if (ordinal >= index_.termCount) return false;
  if (allRead_) {
    *out = &all_[ordinal];
    return true;
  }
  const std::vector<Term>* terms = nullptr;
  if (!block(ordinal / kTermsPerBlock, &terms)) return false;
  *out = &(*terms)[ordinal % kTermsPerBlock];
  return true;
}

bool IndexReader::lowerBound(const std::string& word, uint32_t* ordinal) {
  // The last block whose first word is not above `word`, by bisection over
  // the blocks' first words: a few blocks read, whatever the dictionary's size.
  uint32_t low = 0, high = index_.blockCount;  // blocks [low, high) are candidates
  while (high - low > 1) {
    const uint32_t middle = low + (high - low) / 2;
    const std::vector<Term>* terms = nullptr;
    if (!block(middle, &terms)) return false;
    if (terms->front().text <= word) {
      low = middle;
    } else {
      high = middle;
    }
  }
  if (index_.blockCount == 0) {
    *ordinal = 0;
    return true;
  }
  const std::vector<Term>* terms = nullptr;
  if (!block(low, &terms)) return false;
  const auto it = std::lower_bound(terms->begin(), terms->end(), word,
                                   [](const Term& t, const std::string& w) { return t.text < w; });
  *ordinal = low * kTermsPerBlock + static_cast<uint32_t>(it - terms->begin());
  return true;
}

bool IndexReader::allTerms(const std::vector<Term>** out) {
  if (!allRead_) {
    std::vector<Term> all;
    all.reserve(index_.termCount);
    for (uint32_t b = 0; b < index_.blockCount; ++b) {
      const std::vector<Term>* terms = nullptr;
      if (!block(b, &terms)) return false;
      // Blocks must join up: words ascending, postings back to back.
      if (!all.empty() && (terms->front().text <= all.back().text ||
                           terms->front().postingsOffset != all.back().postingsOffset + all.back().postingsSize))
        return false;
      if (all.empty() && terms->front().postingsOffset != 0) return false;
      all.insert(all.end(), terms->begin(), terms->end());
    }
    if (!all.empty() && all.back().postingsOffset + all.back().postingsSize != index_.postingsSize) return false;
    all_ = std::move(all);
    allRead_ = true;
  }
  *out = &all_;
  return true;
}

bool IndexReader::postingBytes(const Term& term, std::vector<uint8_t>* out) {
  if (term.postingsOffset > index_.postingsSize || term.postingsSize > index_.postingsSize - term.postingsOffset)
    return false;
  if (!source_.read(index_.postingsStart + term.postingsOffset, term.postingsSize, out)) return false;
  return !verify_ || crc32(out->data(), out->size()) == term.postingsCrc;
}

bool IndexReader::postings(const Term& term, std::vector<TopicPositions>* out) {
  out->clear();
  std::vector<uint8_t> bytes;
  return postingBytes(term, &bytes) && decodePostingBytes(bytes.data(), bytes.size(), index_.topicCount, out);
}

bool IndexReader::sources(std::vector<uint8_t>* out) {
  out->clear();
  if (index_.sourcesStart == 0) return true;
  if (index_.sourcesSize > 0xFFFFFFFBu) return false;
  std::vector<uint8_t> bytes;
  const uint32_t size = static_cast<uint32_t>(index_.sourcesSize);
  if (!source_.read(index_.sourcesStart, size + 4, &bytes)) return false;
  if (verify_ && readU32(bytes.data() + size) != crc32(bytes.data(), size)) return false;
  bytes.resize(size);
  *out = std::move(bytes);
  return true;
}

}  // namespace tarvek::sbi
