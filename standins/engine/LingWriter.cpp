#include "standins/engine/LingWriter.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "standins/engine/BlockDeflate.h"
#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/LingFormat.h"
#include "standins/engine/WordText.h"

namespace tarvek::sbi::ling {
namespace {

bool usable(std::string_view word) { return !word.empty() && word.size() <= 255; }

// The words of a lemma's or a head word's list that can be stored, less the
// lemma or head itself, which its entry's key already holds.
std::vector<std::string_view> storableOthers(std::string_view key, const std::set<std::string>& words) {
  std::vector<std::string_view> others;
  for (const auto& word : words)
    if (usable(word) && word != key) others.push_back(word);
  return others;
}

struct MapBytes {
  uint32_t entries = 0;
  uint32_t blocks = 0;
  std::vector<uint8_t> index;  // without its CRC
  std::vector<uint8_t> data;
};

// A preset dictionary for a map's blocks: the beginnings of blocks spread
// evenly over the map, the last 32 KB of them. Blocks of one map share most
// of their suffixes and payload shapes, which a small block alone cannot.
std::string sampleDictionary(const std::vector<std::vector<uint8_t>>& blocks) {
  constexpr size_t kSamples = 32, kSampleBytes = kMaxDictionaryBytes / kSamples;
  std::string dictionary;
  const size_t step = std::max<size_t>(1, blocks.size() / kSamples);
  for (size_t b = step / 2; b < blocks.size() && dictionary.size() < kMaxDictionaryBytes; b += step) {
    const size_t n = std::min(blocks[b].size(), kSampleBytes);
    dictionary.append(reinterpret_cast<const char*>(blocks[b].data()), n);
  }
  if (dictionary.size() > kMaxDictionaryBytes) dictionary.erase(0, dictionary.size() - kMaxDictionaryBytes);
  return dictionary;
}

std::vector<std::vector<uint8_t>> deflateAll(const std::vector<std::vector<uint8_t>>& blocks,
                                             std::string_view dictionary, size_t* total) {
  std::vector<std::vector<uint8_t>> stored;
  *total = dictionary.size();
  for (const auto& block : blocks) {
    stored.push_back(deflateBlock(block, dictionary));
    if (stored.back().empty()) throw std::runtime_error("zlib could not deflate a block");
    *total += stored.back().size();
  }
  return stored;
}

// Front-coded blocks of `perBlock` keys, each key with its payload,
// deflated against the map's dictionary, or against none where the
// dictionary would cost more than it saves (a small map, as an index's lemma
// section often is).
MapBytes writeMap(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries, uint32_t perBlock) {
  MapBytes map;
  map.entries = static_cast<uint32_t>(entries.size());
  std::vector<std::vector<uint8_t>> blocks;
  for (size_t first = 0; first < entries.size(); first += perBlock) {
    const size_t last = std::min(entries.size(), first + perBlock);
    ByteWriter block;
    std::string_view previous;
    for (size_t i = first; i < last; ++i) {
      const std::string& key = entries[i].first;
      size_t shared = 0;
      while (shared < previous.size() && shared < key.size() && previous[shared] == key[shared]) ++shared;
      block.u8(static_cast<uint8_t>(shared));
      block.shortText(std::string_view(key).substr(shared));
      block.varint(static_cast<uint32_t>(entries[i].second.size()));
      block.raw(std::string_view(reinterpret_cast<const char*>(entries[i].second.data()), entries[i].second.size()));
      previous = key;
    }
    blocks.push_back(std::move(block.bytes()));
  }
  std::string dictionary = sampleDictionary(blocks);
  size_t withDictionary = 0, without = 0;
  std::vector<std::vector<uint8_t>> stored = deflateAll(blocks, dictionary, &withDictionary);
  if (!dictionary.empty()) {
    std::vector<std::vector<uint8_t>> plain = deflateAll(blocks, {}, &without);
    if (without <= withDictionary) {
      stored = std::move(plain);
      dictionary.clear();
    }
  }
  ByteWriter index;
  index.u32(static_cast<uint32_t>(dictionary.size()));
  index.raw(dictionary);
  for (size_t b = 0; b < blocks.size(); ++b) {
    index.shortText(entries[b * perBlock].first);
    index.u32(static_cast<uint32_t>(map.data.size()));
    index.u32(static_cast<uint32_t>(stored[b].size()));
    index.u32(crc32(stored[b].data(), stored[b].size()));
    index.u32(static_cast<uint32_t>(blocks[b].size()));
    map.data.insert(map.data.end(), stored[b].begin(), stored[b].end());
    ++map.blocks;
  }
  map.index = std::move(index.bytes());
  return map;
}

// Ascending lemma ordinals: their count, then (when there are any) the first
// as a difference to `base` (zigzag: the sign in the low bit), the others as
// differences to the one before.
void writeOrdinals(const std::vector<uint32_t>& ordinals, uint32_t base, ByteWriter* out) {
  out->varint(static_cast<uint32_t>(ordinals.size()));
  if (ordinals.empty()) return;
  const int64_t first = int64_t{ordinals[0]} - base;
  out->varint(static_cast<uint32_t>(first >= 0 ? first * 2 : -first * 2 - 1));
  for (size_t i = 1; i < ordinals.size(); ++i) out->varint(ordinals[i] - ordinals[i - 1]);
}

std::vector<uint8_t> ordinalsPayload(const std::vector<uint32_t>& ordinals, uint32_t base) {
  ByteWriter out;
  writeOrdinals(ordinals, base, &out);
  return std::move(out.bytes());
}

using FormLemma = std::pair<std::string, uint32_t>;

// The forms map's order, and a form's lemmas ascending.
bool formLemmaLess(const FormLemma& a, const FormLemma& b) {
  return a.first != b.first ? keyLess(kForms, a.first, b.first) : a.second < b.second;
}

// The ordinals of the lemmas `form` is a form of, from pairs in formLemmaLess order.
std::vector<uint32_t> lemmasOfForm(const std::vector<FormLemma>& pairs, const std::string& form) {
  std::vector<uint32_t> ordinals;
  for (auto it = std::lower_bound(pairs.begin(), pairs.end(), FormLemma{form, 0}, formLemmaLess);
       it != pairs.end() && it->first == form; ++it)
    ordinals.push_back(it->second);
  return ordinals;
}

// (word, lemma ordinal) pairs in formLemmaLess order, each once -> one entry
// per word with its ordinals. A form's lemmas are near those of the form
// before it, so the first ordinal is written as a difference to that form's
// first (to 0 at a block's start).
std::vector<std::pair<std::string, std::vector<uint8_t>>> groupOrdinals(const std::vector<FormLemma>& pairs) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
  uint32_t base = 0;
  for (size_t i = 0; i < pairs.size();) {
    std::vector<uint32_t> ordinals;
    size_t j = i;
    for (; j < pairs.size() && pairs[j].first == pairs[i].first; ++j) ordinals.push_back(pairs[j].second);
    if (entries.size() % kEntriesPerBlock[kForms] == 0) base = 0;
    entries.emplace_back(pairs[i].first, ordinalsPayload(ordinals, base));
    base = ordinals[0];
    i = j;
  }
  return entries;
}

}  // namespace

std::vector<uint8_t> buildLingData(uint16_t language, const LingSource& source) {
  std::array<std::vector<std::pair<std::string, std::vector<uint8_t>>>, kMapCount> maps;
  std::vector<FormLemma> forms;
  uint32_t ordinal = 0;
  for (const auto& [lemma, lemmaForms] : source.lemmas) {
    if (!usable(lemma)) continue;
    ByteWriter payload;
    std::vector<std::string_view> others = storableOthers(lemma, lemmaForms);
    // Each form front-coded against the one before it, the first against the lemma.
    payload.varint(static_cast<uint32_t>(others.size()));
    std::string_view previous = lemma;
    for (std::string_view form : others) {
      size_t shared = 0;
      while (shared < previous.size() && shared < form.size() && previous[shared] == form[shared]) ++shared;
      payload.u8(static_cast<uint8_t>(shared));
      payload.shortText(form.substr(shared));
      previous = form;
    }
    maps[kLemmas].emplace_back(lemma, std::move(payload.bytes()));
    others.push_back(lemma);
    for (std::string_view form : others) forms.emplace_back(std::string(form), ordinal);
    ++ordinal;
  }
  std::sort(forms.begin(), forms.end(), formLemmaLess);
  forms.erase(std::unique(forms.begin(), forms.end()), forms.end());
  maps[kForms] = groupOrdinals(forms);
  // Each synonym with the lemmas it is a form of, so that expanding a word
  // reads no forms block for its synonyms.
  for (const auto& [head, synonyms] : source.synonyms) {
    if (!usable(head)) continue;
    ByteWriter payload;
    const std::vector<std::string_view> kept = storableOthers(head, synonyms);
    if (kept.empty()) continue;
    payload.varint(static_cast<uint32_t>(kept.size()));
    for (std::string_view s : kept) {
      payload.shortText(s);
      writeOrdinals(lemmasOfForm(forms, std::string(s)), 0, &payload);
    }
    maps[kSynonyms].emplace_back(head, std::move(payload.bytes()));
  }

  std::array<MapBytes, kMapCount> written;
  for (size_t m = 0; m < kMapCount; ++m) written[m] = writeMap(maps[m], kEntriesPerBlock[m]);

  ByteWriter out;
  out.raw(std::string_view(kMagic, sizeof kMagic));
  out.u16(kVersion);
  out.u16(language);
  size_t headSize = kHeaderSize;
  for (const auto& map : written) headSize += map.index.size() + 4;
  out.u32(static_cast<uint32_t>(headSize));
  size_t indexOffset = kHeaderSize, dataOffset = headSize;
  for (const auto& map : written) {
    out.u32(map.entries);
    out.u32(map.blocks);
    out.u32(static_cast<uint32_t>(indexOffset));
    out.u32(static_cast<uint32_t>(map.index.size()));
    out.u32(static_cast<uint32_t>(dataOffset));
    out.u32(static_cast<uint32_t>(map.data.size()));
    indexOffset += map.index.size() + 4;
    dataOffset += map.data.size();
  }
  out.u32(static_cast<uint32_t>(dataOffset));  // the whole file
  for (uint32_t perBlock : kEntriesPerBlock) out.u16(static_cast<uint16_t>(perBlock));
  while (out.size() < kHeaderSize - 4) out.u8(0);
  out.u32(crc32(out.bytes().data(), out.size()));
  for (const auto& map : written) {
    out.raw(std::string_view(reinterpret_cast<const char*>(map.index.data()), map.index.size()));
    out.u32(crc32(map.index.data(), map.index.size()));
  }
  for (const auto& map : written)
    out.raw(std::string_view(reinterpret_cast<const char*>(map.data.data()), map.data.size()));
  return std::move(out.bytes());
}

}  // namespace tarvek::sbi::ling
