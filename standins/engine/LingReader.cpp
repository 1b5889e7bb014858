#include "standins/engine/LingReader.h"

#include <algorithm>
#include <cstring>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/WordText.h"

namespace tarvek::sbi::ling {
namespace {

// Decoded blocks kept per file: a word's lookups touch a handful.
constexpr size_t kCachedBlocks = 64;

// keyLess with the forms map's diacritics-free keys already at hand.
bool formLess(std::string_view foldedA, std::string_view a, std::string_view foldedB, std::string_view b) {
  return foldedA != foldedB ? foldedA < foldedB : a < b;
}

bool readAt(PostingsSource& file, uint64_t offset, uint32_t size, std::vector<uint8_t>* out) {
  return file.read(offset, size, out) && out->size() == size;
}

// Lemma ordinals (LingWriter.cpp): a count, the first as a zigzag difference
// to `base`, the others ascending as differences.
bool decodeOrdinals(std::string_view payload, uint32_t base, uint32_t lemmaCount, std::vector<uint32_t>* out) {
  ByteReader in(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
  const uint32_t n = in.varint();
  if (n == 0 || n > payload.size()) return false;
  const uint32_t zigzag = in.varint();
  const int64_t first = int64_t{base} + (zigzag & 1 ? -int64_t{zigzag / 2} - 1 : int64_t{zigzag / 2});
  if (first < 0 || first >= lemmaCount) return false;
  auto ordinal = static_cast<uint32_t>(first);
  out->push_back(ordinal);
  for (uint32_t i = 1; i < n; ++i) {
    const uint32_t step = in.varint();
    if (step == 0 || step >= lemmaCount - ordinal) return false;
    ordinal += step;
    out->push_back(ordinal);
  }
  return in.atEnd();
}

}  // namespace

std::unique_ptr<LingReader> LingReader::open(std::unique_ptr<PostingsSource> file, uint64_t fileSize,
                                             uint16_t language, bool checkCrc) {
  if (!file || fileSize < kHeaderSize || fileSize > 0xFFFFFFFFu) return nullptr;
  std::vector<uint8_t> header;
  if (!readAt(*file, 0, kHeaderSize, &header)) return nullptr;
  if (std::memcmp(header.data(), kMagic, sizeof kMagic) != 0) return nullptr;
  if (checkCrc && crc32(header.data(), kHeaderSize - 4) != ByteReader(header.data() + kHeaderSize - 4, 4).u32())
    return nullptr;
  ByteReader in(header.data() + sizeof kMagic, kHeaderSize - sizeof kMagic);
  if (in.u16() != kVersion || in.u16() != language) return nullptr;
  const uint32_t headSize = in.u32();
  if (headSize < kHeaderSize || headSize > fileSize) return nullptr;

  std::unique_ptr<LingReader> reader(new LingReader(std::move(file), checkCrc));
  uint64_t indexAt = kHeaderSize, dataAt = headSize;
  std::vector<uint8_t> index;
  for (auto& map : reader->maps_) {
    map.entries = in.u32();
    const uint32_t blocks = in.u32(), indexOffset = in.u32(), indexSize = in.u32();
    map.dataOffset = in.u32();
    const uint32_t dataSize = in.u32();
    // The sections lie back to back in header order; the block count follows
    // from the entry count.
    if (indexOffset != indexAt || map.dataOffset != dataAt) return nullptr;
    // In 64 bits: an entry count near 2^32 must not wrap round to few blocks.
    if (blocks != (uint64_t{map.entries} + kEntriesPerBlock - 1) / kEntriesPerBlock) return nullptr;
    if (uint64_t{indexSize} + 4 > headSize - indexAt || uint64_t{dataSize} > fileSize - dataAt) return nullptr;
    if (uint64_t{blocks} * 13 > indexSize) return nullptr;  // a block reference takes at least 13 bytes
    if (!readAt(*reader->file_, indexOffset, indexSize + 4, &index)) return nullptr;
    ByteReader refs(index.data(), indexSize);
    if (checkCrc && crc32(index.data(), indexSize) != ByteReader(index.data() + indexSize, 4).u32()) return nullptr;
    map.blocks.reserve(blocks);
    uint32_t expectedOffset = 0;
    for (uint32_t b = 0; b < blocks; ++b) {
      BlockRef ref;
      ref.firstKey = std::string(refs.shortText());
      ref.offset = refs.u32();
      ref.size = refs.u32();
      ref.crc = refs.u32();
      if (!refs.ok() || ref.firstKey.empty() || ref.offset != expectedOffset || ref.size == 0 ||
          ref.size > kMaxBlockBytes || ref.size > dataSize - ref.offset)
        return nullptr;
      const auto which = static_cast<Map>(&map - reader->maps_);
      if (which == kForms) ref.foldedKey = foldDiacritics(ref.firstKey, false);
      if (b > 0 && !(which == kForms ? formLess(map.blocks.back().foldedKey, map.blocks.back().firstKey, ref.foldedKey,
                                                ref.firstKey)
                                     : map.blocks.back().firstKey < ref.firstKey))
        return nullptr;
      expectedOffset += ref.size;
      map.blocks.push_back(std::move(ref));
    }
    if (!refs.atEnd() || expectedOffset != dataSize) return nullptr;
    indexAt += uint64_t{indexSize} + 4;
    dataAt += dataSize;
  }
  const uint32_t wholeFile = in.u32();
  if (!in.ok() || indexAt != headSize || dataAt != fileSize || wholeFile != fileSize) return nullptr;
  return reader;
}

const LingReader::Block* LingReader::block(Map map, uint32_t number) {
  const auto key = std::make_pair(static_cast<size_t>(map), number);
  if (auto it = cache_.find(key); it != cache_.end()) return &it->second;
  const MapHead& head = maps_[map];
  const BlockRef& ref = head.blocks[number];
  std::vector<uint8_t> bytes;
  if (!readAt(*file_, uint64_t{head.dataOffset} + ref.offset, ref.size, &bytes)) return nullptr;
  if (checkCrc_ && crc32(bytes.data(), bytes.size()) != ref.crc) return nullptr;
  const bool last = number + 1 == head.blocks.size();
  const uint32_t count = last ? head.entries - number * kEntriesPerBlock : kEntriesPerBlock;
  Block decoded;
  decoded.entries.reserve(count);
  ByteReader in(bytes.data(), bytes.size());
  std::string previous, previousFolded;
  uint32_t base = 0;  // the ordinal the next form's first is written against
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t shared = in.u8();
    const std::string_view rest = in.shortText();
    const std::string_view payload = in.bytes(in.varint());
    if (!in.ok() || shared > previous.size() || (i == 0 && shared != 0)) return nullptr;
    std::string key = previous.substr(0, shared);
    key += rest;
    std::string folded = map == kForms ? foldDiacritics(key, false) : std::string();
    // Keys ascend strictly across the whole map: the first one is the index's,
    // the last one stands below the next block's first.
    const bool ascending = map == kForms ? formLess(previousFolded, previous, folded, key) : previous < key;
    if (key.empty() || key.size() > 255 || (i == 0 ? key != ref.firstKey : !ascending)) return nullptr;
    previous = key;
    previousFolded = std::move(folded);
    Entry entry{std::move(key), {}, {}};
    if (map == kForms) {
      if (!decodeOrdinals(payload, base, maps_[kLemmas].entries, &entry.ordinals)) return nullptr;
      base = entry.ordinals.front();
    } else {
      entry.payload = std::string(payload);
    }
    decoded.entries.push_back(std::move(entry));
  }
  if (!in.atEnd()) return nullptr;
  if (!last) {
    const BlockRef& next = head.blocks[number + 1];
    if (!(map == kForms ? formLess(previousFolded, previous, next.foldedKey, next.firstKey) : previous < next.firstKey))
      return nullptr;
  }
  if (cacheOrder_.size() >= kCachedBlocks) {
    cache_.erase(cacheOrder_.front());
    cacheOrder_.erase(cacheOrder_.begin());
  }
  cacheOrder_.push_back(key);
  return &cache_.emplace(key, std::move(decoded)).first->second;
}

const LingReader::Entry* LingReader::find(Map map, std::string_view key, bool* ok) {
  *ok = true;
  const auto& blocks = maps_[map].blocks;
  const std::string folded = map == kForms ? foldDiacritics(key, false) : std::string();
  auto after = std::upper_bound(blocks.begin(), blocks.end(), key, [&](std::string_view k, const BlockRef& ref) {
    return map == kForms ? formLess(folded, k, ref.foldedKey, ref.firstKey) : k < ref.firstKey;
  });
  if (after == blocks.begin()) return nullptr;
  const Block* found = block(map, static_cast<uint32_t>(after - blocks.begin() - 1));
  if (!found) {
    *ok = false;
    return nullptr;
  }
  auto it = std::lower_bound(found->entries.begin(), found->entries.end(), key,
                             [map](const Entry& e, std::string_view k) { return keyLess(map, e.key, k); });
  return it != found->entries.end() && it->key == key ? &*it : nullptr;
}

bool LingReader::lemmasOf(std::string_view word, bool ignoreDiacritics, std::vector<uint32_t>* ordinals) {
  ordinals->clear();
  if (word.empty() || word.size() > 255 || maps_[kForms].entries == 0) return true;
  if (!ignoreDiacritics) {
    bool ok = true;
    if (const Entry* entry = find(kForms, word, &ok)) *ordinals = entry->ordinals;
    return ok;
  }
  // Every spelling of the key stands in one run that begins with the key
  // itself or after where it would stand, and may go on into later blocks.
  const std::string key = foldDiacritics(word, false);
  const auto& blocks = maps_[kForms].blocks;
  auto after = std::upper_bound(blocks.begin(), blocks.end(), key, [](const std::string& k, const BlockRef& ref) {
    return formLess(k, k, ref.foldedKey, ref.firstKey);
  });
  for (auto b = static_cast<uint32_t>(after == blocks.begin() ? 0 : after - blocks.begin() - 1); b < blocks.size();
       ++b) {
    const Block* found = block(kForms, b);
    if (!found) return false;
    for (const auto& entry : found->entries) {
      const std::string folded = foldDiacritics(entry.key, false);
      if (folded < key) continue;
      if (folded > key) {
        b = static_cast<uint32_t>(blocks.size());
        break;
      }
      ordinals->insert(ordinals->end(), entry.ordinals.begin(), entry.ordinals.end());
    }
  }
  std::sort(ordinals->begin(), ordinals->end());
  ordinals->erase(std::unique(ordinals->begin(), ordinals->end()), ordinals->end());
  return true;
}

bool LingReader::lemma(uint32_t ordinal, std::string* text, std::vector<std::string>* forms) {
  forms->clear();
  if (ordinal >= maps_[kLemmas].entries) return false;
  const Block* found = block(kLemmas, ordinal / kEntriesPerBlock);
  if (!found) return false;
  const Entry& entry = found->entries[ordinal % kEntriesPerBlock];
  *text = entry.key;
  ByteReader in(reinterpret_cast<const uint8_t*>(entry.payload.data()), entry.payload.size());
  const uint32_t n = in.varint();
  if (n > entry.payload.size()) return false;
  std::string previous = *text;
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t shared = in.u8();
    const std::string_view rest = in.shortText();
    if (!in.ok() || shared > previous.size()) return false;
    std::string form = previous.substr(0, shared);
    form += rest;
    if (form.empty() || form.size() > 255) return false;
    previous = form;
    forms->push_back(std::move(form));
  }
  return in.atEnd();
}

bool LingReader::synonymsOf(std::string_view word, std::vector<std::string>* synonyms) {
  synonyms->clear();
  if (word.empty() || word.size() > 255) return true;
  bool ok = true;
  const Entry* entry = find(kSynonyms, word, &ok);
  if (!ok) return false;
  if (!entry) return true;
  const std::string* payload = &entry->payload;
  ByteReader in(reinterpret_cast<const uint8_t*>(payload->data()), payload->size());
  const uint32_t n = in.varint();
  if (n > payload->size()) return false;
  for (uint32_t i = 0; i < n; ++i) {
    const std::string_view s = in.shortText();
    if (!in.ok() || s.empty()) return false;
    synonyms->emplace_back(s);
  }
  return in.atEnd();
}

}  // namespace tarvek::sbi::ling
