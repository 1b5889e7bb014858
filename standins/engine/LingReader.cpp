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

// keyLess(map, before, after), answered at once where the first bytes differ
// in a map ordered by bytes, as most neighbours in a block do.
bool ascends(Map map, std::string_view before, std::string_view after) {
  if (map != kForms && !before.empty() && !after.empty() && before[0] != after[0])
    return static_cast<unsigned char>(before[0]) < static_cast<unsigned char>(after[0]);
  return keyLess(map, before, after);
}

bool readAt(PostingsSource& file, uint64_t offset, uint32_t size, std::vector<uint8_t>* out) {
  return file.read(offset, size, out) && out->size() == size;
}

// Lemma ordinals (LingWriter.cpp): a count, the first as a zigzag difference
// to `base`, the others ascending as differences. A form has one lemma at
// least; a synonym may be a form of none (`noneAllowed`).
bool readOrdinals(ByteReader& in, uint32_t base, uint32_t lemmaCount, bool noneAllowed, std::vector<uint32_t>* out) {
  const uint32_t n = in.varint();
  if (!in.ok() || (n == 0 && !noneAllowed) || n > in.remaining()) return false;
  if (n == 0) return true;
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
  return in.ok();
}

bool decodeOrdinals(std::string_view payload, uint32_t base, uint32_t lemmaCount, std::vector<uint32_t>* out) {
  ByteReader in(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
  return readOrdinals(in, base, lemmaCount, false, out) && in.atEnd();
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
  const uint16_t version = in.u16();
  if ((version != kVersion && version != kSynonymTextsVersion && version != kRawBlocksVersion) ||
      in.u16() != language)
    return nullptr;
  const uint32_t headSize = in.u32();
  if (headSize < kHeaderSize || headSize > fileSize) return nullptr;

  const bool deflated = version != kRawBlocksVersion;
  std::unique_ptr<LingReader> reader(
      new LingReader(std::move(file), language, deflated, version == kVersion, checkCrc));
  // A block reference takes at least 13 bytes, 17 with its inflated size;
  // the index of deflated blocks begins with its dictionary's size.
  const uint64_t refBytes = deflated ? 17 : 13, dictionaryBytes = deflated ? 4 : 0;
  // Each map's entries a block, after the whole file's size; 128 in version 1.
  if (deflated) {
    ByteReader perBlock(header.data() + 92, 2 * kMapCount);
    for (auto& map : reader->maps_) {
      map.entriesPerBlock = perBlock.u16();
      if (map.entriesPerBlock == 0 || map.entriesPerBlock > kMaxEntriesPerBlock) return nullptr;
    }
  }
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
    if (blocks != (uint64_t{map.entries} + map.entriesPerBlock - 1) / map.entriesPerBlock) return nullptr;
    if (uint64_t{indexSize} + 4 > headSize - indexAt || uint64_t{dataSize} > fileSize - dataAt) return nullptr;
    if (blocks * refBytes + dictionaryBytes > indexSize) return nullptr;
    if (!readAt(*reader->file_, indexOffset, indexSize + 4, &index)) return nullptr;
    ByteReader refs(index.data(), indexSize);
    if (checkCrc && crc32(index.data(), indexSize) != ByteReader(index.data() + indexSize, 4).u32()) return nullptr;
    if (deflated) {
      const uint32_t dictionarySize = refs.u32();
      if (dictionarySize > kMaxDictionaryBytes) return nullptr;
      map.dictionary = std::string(refs.bytes(dictionarySize));
    }
    map.blocks.reserve(blocks);
    uint32_t expectedOffset = 0;
    for (uint32_t b = 0; b < blocks; ++b) {
      BlockRef ref;
      ref.firstKey = std::string(refs.shortText());
      ref.offset = refs.u32();
      ref.size = refs.u32();
      ref.crc = refs.u32();
      ref.decodedSize = deflated ? refs.u32() : ref.size;
      if (!refs.ok() || ref.firstKey.empty() || ref.offset != expectedOffset || ref.size == 0 ||
          ref.size > kMaxBlockBytes || ref.size > dataSize - ref.offset || ref.decodedSize == 0 ||
          ref.decodedSize > kMaxBlockBytes)
        return nullptr;
      const auto which = static_cast<Map>(&map - reader->maps_);
      if (b > 0 && !keyLess(which, map.blocks.back().firstKey, ref.firstKey)) return nullptr;
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
  // The oldest block makes room and lends its buffers to the new one.
  Block fresh;
  if (cacheOrder_.size() >= kCachedBlocks) {
    auto oldest = cache_.extract(cacheOrder_.front());
    fresh = std::move(oldest.mapped());
    cacheOrder_.erase(cacheOrder_.begin());
  }
  if (!decode(map, number, &fresh)) return nullptr;
  cacheOrder_.push_back(key);
  return &cache_.emplace(key, std::move(fresh)).first->second;
}

bool LingReader::decode(Map map, uint32_t number, Block* out) {
  const MapHead& head = maps_[map];
  const BlockRef& ref = head.blocks[number];
  std::vector<uint8_t>& stored = deflated_ ? stored_ : out->bytes;
  if (!readAt(*file_, uint64_t{head.dataOffset} + ref.offset, ref.size, &stored)) return false;
  if (checkCrc_ && crc32(stored.data(), stored.size()) != ref.crc) return false;
  if (deflated_ && !inflater_.inflate({reinterpret_cast<const char*>(stored.data()), stored.size()}, head.dictionary,
                                      ref.decodedSize, &out->bytes))
    return false;
  const bool last = number + 1 == head.blocks.size();
  const uint32_t count = last ? head.entries - number * head.entriesPerBlock : head.entriesPerBlock;
  out->keys.clear();
  out->entries.clear();
  out->ordinals.clear();
  out->entries.reserve(count);
  out->keys.reserve(size_t{count} * 16);
  ByteReader in(out->bytes.data(), out->bytes.size());
  size_t previousAt = 0, previousSize = 0;
  uint32_t base = 0;  // the ordinal the next form's first is written against
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t shared = in.u8();
    const std::string_view rest = in.shortText();
    const uint32_t payloadSize = in.varint();
    const size_t payloadAt = in.position();
    const std::string_view payload = in.bytes(payloadSize);
    if (!in.ok() || shared > previousSize || (i == 0 && shared != 0)) return false;
    const size_t keySize = shared + rest.size();
    if (keySize == 0 || keySize > 255) return false;
    const size_t keyAt = out->keys.size();
    out->keys.resize(keyAt + keySize);
    char* const keys = out->keys.data();
    std::copy_n(keys + previousAt, shared, keys + keyAt);
    std::copy_n(rest.data(), rest.size(), keys + keyAt + shared);
    // Keys ascend strictly across the whole map: the first one is the index's,
    // the last one stands below the next block's first. A key and the one
    // before it share their first `shared` bytes, and folding keeps a shared
    // beginning shared, so only what follows it is compared.
    if (i == 0) {
      if (std::string_view(keys + keyAt, keySize) != ref.firstKey) return false;
    } else if (!ascends(map, std::string_view(keys + previousAt + shared, previousSize - shared), rest)) {
      return false;
    }
    Entry entry{static_cast<uint32_t>(keyAt), static_cast<uint32_t>(keySize), static_cast<uint32_t>(payloadAt),
                payloadSize};
    if (map == kForms) {
      entry.payloadAt = static_cast<uint32_t>(out->ordinals.size());
      if (!decodeOrdinals(payload, base, maps_[kLemmas].entries, &out->ordinals)) return false;
      entry.payloadSize = static_cast<uint32_t>(out->ordinals.size() - entry.payloadAt);
      base = out->ordinals[entry.payloadAt];
    }
    out->entries.push_back(entry);
    previousAt = keyAt;
    previousSize = keySize;
  }
  if (!in.atEnd()) return false;
  return last || keyLess(map, std::string_view(out->keys).substr(previousAt), head.blocks[number + 1].firstKey);
}

const LingReader::Entry* LingReader::find(Map map, std::string_view key, const Block** found, bool* ok) {
  *ok = true;
  const auto& blocks = maps_[map].blocks;
  // keyLess folds as it compares: a lookup allocates nothing to find its block.
  auto after = std::upper_bound(blocks.begin(), blocks.end(), key,
                                [&](std::string_view k, const BlockRef& ref) { return keyLess(map, k, ref.firstKey); });
  if (after == blocks.begin()) return nullptr;
  const Block* in = block(map, static_cast<uint32_t>(after - blocks.begin() - 1));
  if (!in) {
    *ok = false;
    return nullptr;
  }
  *found = in;
  auto it = std::lower_bound(in->entries.begin(), in->entries.end(), key,
                             [&](const Entry& e, std::string_view k) { return keyLess(map, in->key(e), k); });
  return it != in->entries.end() && in->key(*it) == key ? &*it : nullptr;
}

bool LingReader::lemmasOf(std::string_view word, bool ignoreDiacritics, std::vector<uint32_t>* ordinals) {
  ordinals->clear();
  if (word.empty() || word.size() > 255 || maps_[kForms].entries == 0) return true;
  if (!ignoreDiacritics) {
    bool ok = true;
    const Block* in = nullptr;
    if (const Entry* entry = find(kForms, word, &in, &ok)) {
      const auto first = in->ordinals.begin() + entry->payloadAt;
      ordinals->assign(first, first + entry->payloadSize);
    }
    return ok;
  }
  // Every spelling of the key stands in one run that begins with the key
  // itself or after where it would stand, and may go on into later blocks.
  const std::string key = foldDiacritics(word, false);
  const auto& blocks = maps_[kForms].blocks;
  auto after = std::upper_bound(blocks.begin(), blocks.end(), key, [](const std::string& k, const BlockRef& ref) {
    return keyLess(kForms, k, ref.firstKey);
  });
  for (auto b = static_cast<uint32_t>(after == blocks.begin() ? 0 : after - blocks.begin() - 1); b < blocks.size();
       ++b) {
    const Block* found = block(kForms, b);
    if (!found) return false;
    for (const auto& entry : found->entries) {
      const int order = compareFolded(found->key(entry), word);
      if (order < 0) continue;
      if (order > 0) {
        b = static_cast<uint32_t>(blocks.size());
        break;
      }
      const auto first = found->ordinals.begin() + entry.payloadAt;
      ordinals->insert(ordinals->end(), first, first + entry.payloadSize);
    }
  }
  std::sort(ordinals->begin(), ordinals->end());
  ordinals->erase(std::unique(ordinals->begin(), ordinals->end()), ordinals->end());
  return true;
}

bool LingReader::lemma(uint32_t ordinal, std::string* text, std::vector<std::string>* forms) {
  forms->clear();
  if (ordinal >= maps_[kLemmas].entries) return false;
  const uint32_t perBlock = maps_[kLemmas].entriesPerBlock;
  const Block* found = block(kLemmas, ordinal / perBlock);
  if (!found) return false;
  const Entry& entry = found->entries[ordinal % perBlock];
  text->assign(found->key(entry));
  const std::string_view payload = found->payload(entry);
  ByteReader in(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
  const uint32_t n = in.varint();
  if (n > payload.size()) return false;
  forms->reserve(n);
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t shared = in.u8();
    const std::string_view rest = in.shortText();
    const std::string& previous = i == 0 ? *text : forms->back();
    if (!in.ok() || shared > previous.size() || shared + rest.size() == 0 || shared + rest.size() > 255) return false;
    std::string form;
    form.reserve(shared + rest.size());
    form.append(previous, 0, shared);
    form += rest;
    forms->push_back(std::move(form));
  }
  return in.atEnd();
}

bool LingReader::synonymsOf(std::string_view word, std::vector<std::string>* synonyms,
                            std::vector<std::vector<uint32_t>>* lemmas) {
  synonyms->clear();
  if (lemmas) lemmas->clear();
  if (word.empty() || word.size() > 255) return true;
  bool ok = true;
  const Block* in = nullptr;
  const Entry* entry = find(kSynonyms, word, &in, &ok);
  if (!ok) return false;
  if (!entry) return true;
  const std::string_view payload = in->payload(*entry);
  ByteReader bytes(reinterpret_cast<const uint8_t*>(payload.data()), payload.size());
  const uint32_t n = bytes.varint();
  if (n > payload.size()) return false;
  synonyms->reserve(n);
  if (lemmas && synonymLemmas_) lemmas->resize(n);
  std::vector<uint32_t> skipped;
  for (uint32_t i = 0; i < n; ++i) {
    const std::string_view s = bytes.shortText();
    if (!bytes.ok() || s.empty()) return false;
    synonyms->emplace_back(s);
    if (!synonymLemmas_) continue;
    std::vector<uint32_t>& ordinals = lemmas ? (*lemmas)[i] : skipped;
    ordinals.clear();
    if (!readOrdinals(bytes, 0, maps_[kLemmas].entries, true, &ordinals)) return false;
  }
  return bytes.atEnd();
}

}  // namespace tarvek::sbi::ling
