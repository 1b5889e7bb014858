#pragma once
// Reads a language's linguistic data file (LingFormat.h, FORMAT.md). Opening
// reads and checks the header and the block indexes only; a block is read,
// checked against its CRC, inflated and decoded when a lookup falls in it,
// and the newest few are kept. Every read is bounds-checked: a damaged file fails
// `open` or the lookup that meets the damage, and never reads past its data.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "standins/engine/BlockDeflate.h"
#include "standins/engine/LingFormat.h"
#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi::ling {

class LingReader {
 public:
  // Null when the file is not ling data of `language` or its head is damaged.
  // `checkCrc` false skips the checksums (the fuzzer, to reach what follows).
  static std::unique_ptr<LingReader> open(std::unique_ptr<PostingsSource> file, uint64_t fileSize, uint16_t language,
                                          bool checkCrc = true);

  // The LanguageCode the file was opened as, which its header names.
  uint16_t language() const { return language_; }
  bool hasLemmas() const { return maps_[kForms].entries > 0 && maps_[kLemmas].entries > 0; }
  bool hasSynonyms() const { return maps_[kSynonyms].entries > 0; }

  // Each lookup answers false when the block it needs is damaged; a word the
  // data does not know is an empty answer and true.

  // Ordinals of the lemmas `word` is a form of, ascending; with
  // `ignoreDiacritics` of every form whose diacritics-free key is the word's.
  bool lemmasOf(std::string_view word, bool ignoreDiacritics, std::vector<uint32_t>* ordinals);
  // The lemma with that ordinal and its other forms.
  bool lemma(uint32_t ordinal, std::string* text, std::vector<std::string>* forms);
  // The synonyms the thesaurus gives for a head word, and with `lemmas`,
  // where the file gives them (synonymsKnowTheirLemmas), each synonym's
  // lemma ordinals as lemmasOf would answer them; otherwise `lemmas` is empty.
  bool synonymsOf(std::string_view word, std::vector<std::string>* synonyms,
                  std::vector<std::vector<uint32_t>>* lemmas = nullptr);
  bool synonymsKnowTheirLemmas() const { return synonymLemmas_; }

 private:
  struct BlockRef {
    std::string firstKey;
    uint32_t offset, size, crc;
    uint32_t decodedSize;  // inflated; `size` in raw blocks
  };
  struct MapHead {
    uint32_t entries = 0;
    uint32_t entriesPerBlock = kMaxEntriesPerBlock;
    uint32_t dataOffset = 0;
    std::string dictionary;  // the blocks' preset deflate dictionary
    std::vector<BlockRef> blocks;
  };
  // A decoded block keeps the bytes as read and one buffer of all its keys,
  // so that decoding it allocates per block, not per entry.
  struct Entry {
    uint32_t keyAt, keySize;          // in Block::keys
    uint32_t payloadAt, payloadSize;  // in Block::bytes; the forms map's in Block::ordinals
  };
  struct Block {
    std::vector<uint8_t> bytes;  // inflated
    std::string keys;
    std::vector<Entry> entries;
    std::vector<uint32_t> ordinals;  // the forms map's lemma ordinals, entry after entry
    std::string_view key(const Entry& e) const { return std::string_view(keys).substr(e.keyAt, e.keySize); }
    std::string_view payload(const Entry& e) const {
      return {reinterpret_cast<const char*>(bytes.data()) + e.payloadAt, e.payloadSize};
    }
  };

  LingReader(std::unique_ptr<PostingsSource> file, uint16_t language, bool deflated, bool synonymLemmas,
             bool checkCrc)
      : file_(std::move(file)),
        language_(language),
        deflated_(deflated),
        synonymLemmas_(synonymLemmas),
        checkCrc_(checkCrc) {}
  // The decoded block, read, checked and decoded on first use; null when it
  // is damaged. Valid until the next call.
  const Block* block(Map map, uint32_t number);
  // Reads, checks and decodes a block into `out`, whose buffers are reused.
  bool decode(Map map, uint32_t number, Block* out);
  // The entry of `key` in *found, or null (with *ok false when damaged).
  const Entry* find(Map map, std::string_view key, const Block** found, bool* ok);

  std::unique_ptr<PostingsSource> file_;
  uint16_t language_;
  bool deflated_;       // false in a file of kRawBlocksVersion
  bool synonymLemmas_;  // true in a file of kVersion
  bool checkCrc_;
  MapHead maps_[kMapCount];
  std::vector<uint8_t> stored_;  // a block as read, before it is inflated
  BlockInflater inflater_;
  std::map<std::pair<size_t, uint32_t>, Block> cache_;
  std::vector<std::pair<size_t, uint32_t>> cacheOrder_;  // oldest first
};

}  // namespace tarvek::sbi::ling
