#pragma once
// An .sbi index as the reader and the writer see it. The layout on disk is
// described in FORMAT.md.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek::sbi {

inline constexpr char kMagic[8] = {'T', 'V', 'K', 'S', 'B', 'I', '\r', '\n'};
inline constexpr uint16_t kFormatVersion = 3;
// Version 3 adds the lemma section's offset and size to version 2's header;
// version 2 indexes are still read, without one.
inline constexpr uint16_t kFormatVersionWithoutLemmas = 2;
inline constexpr size_t kHeaderSize = 136;
inline constexpr size_t kHeaderSizeWithoutLemmas = 120;
inline constexpr size_t headerSizeOf(uint16_t version) {
  return version == kFormatVersionWithoutLemmas ? kHeaderSizeWithoutLemmas : kHeaderSize;
}
inline constexpr uint32_t kMaxPosition = 0xFFFF;  // occurrence values keep positions in 16 bits
// Topic ids are stored in chunks of this many, each with its checksum, so a
// query reads and checks only the chunks of the pages it found.
inline constexpr uint32_t kTopicsPerChunk = 4096;
// The dictionary is cut into blocks of this many words; finding a word reads
// a few blocks, never the whole dictionary.
inline constexpr uint32_t kTermsPerBlock = 128;
// Entries of the block index (offset and size of each block) per chunk.
inline constexpr uint32_t kBlockEntriesPerChunk = 512;

struct Term {
  std::string text;         // lower case, code page 1250
  uint64_t postingsOffset;  // within the postings block
  uint32_t postingsSize;
  uint32_t postingsCrc;  // CRC-32 of the term's postings
};

// The header and the head: everything opening an index reads.
struct IndexData {
  uint16_t formatVersion = kFormatVersion;
  uint16_t language = 0;
  uint32_t attributes = 0;
  uint32_t created = 0;  // DOS date in the high 16 bits, DOS time in the low 16
  uint32_t updated = 0;
  uint32_t topicCount = 0;
  uint32_t termCount = 0;
  uint32_t occurrenceCount = 0;  // word occurrences indexed, over all pages
  uint32_t blockCount = 0;       // dictionary blocks
  uint64_t fileSize = 0;
  std::string name;
  std::string indexerNumber;
  std::vector<std::string> excluded;  // ascending, lower case
  // Sections, as file offsets and byte sizes.
  uint64_t postingsStart = 0, postingsSize = 0;
  uint64_t topicsStart = 0;
  uint64_t dictionaryStart = 0, dictionarySize = 0;
  uint64_t blockIndexStart = 0;
  uint64_t lemmasStart = 0, lemmasSize = 0;    // 0, 0: no lemma section (always so in version 2)
  uint64_t sourcesStart = 0, sourcesSize = 0;  // 0, 0: no source-file table
};

// Where the bytes of an index file are read from: the open file, or bytes in
// memory. Opening reads the head only; everything else is read when needed.
class PostingsSource {
 public:
  virtual ~PostingsSource() = default;
  // Reads `size` bytes at file offset `offset`; false when they are not there.
  virtual bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) = 0;
};

class MemoryPostings final : public PostingsSource {
 public:
  MemoryPostings(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override {
    if (offset > size_ || size > size_ - offset) return false;
    out->assign(data_ + offset, data_ + offset + size);
    return true;
  }

 private:
  const uint8_t* data_;  // not owned
  size_t size_;
};

// One term's hits on one page.
struct TopicPositions {
  uint32_t ordinal;
  std::vector<uint16_t> positions;  // ascending
};

// Byte size of the topics section for `topics` ids, and of the block index
// for `blocks` blocks: the entries plus one checksum per chunk.
inline uint64_t topicsSectionSize(uint64_t topics) {
  return topics * 4 + (topics + kTopicsPerChunk - 1) / kTopicsPerChunk * 4;
}
inline uint64_t blockIndexSectionSize(uint64_t blocks) {
  return blocks * 8 + (blocks + kBlockEntriesPerChunk - 1) / kBlockEntriesPerChunk * 4;
}

}  // namespace tarvek::sbi
