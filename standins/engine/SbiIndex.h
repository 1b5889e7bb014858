#pragma once
// An .sbi index in memory, as the reader hands it to the engine. The layout on
// disk is described in FORMAT.md.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek::sbi {

inline constexpr char kMagic[8] = {'T', 'V', 'K', 'S', 'B', 'I', '\r', '\n'};
inline constexpr uint16_t kFormatVersion = 1;
inline constexpr size_t kHeaderSize = 48;
inline constexpr uint32_t kMaxPosition = 0xFFFF;  // occurrence values keep positions in 16 bits

struct Term {
  std::string text;         // lower case, code page 1250
  uint32_t postingsOffset;  // within the postings block
  uint32_t postingsSize;
  uint32_t postingsCrc;  // CRC-32 of the term's postings
};

struct IndexData {
  uint16_t formatVersion = kFormatVersion;
  uint16_t language = 0;
  uint32_t attributes = 0;
  uint32_t created = 0;  // DOS date in the high 16 bits, DOS time in the low 16
  uint32_t updated = 0;
  uint32_t occurrenceCount = 0;  // word occurrences indexed, over all pages
  uint64_t fileSize = 0;
  std::string name;
  std::string indexerNumber;
  std::vector<uint32_t> topicIds;     // topic ordinal -> topic id
  std::vector<std::string> excluded;  // ascending, lower case
  std::vector<Term> terms;            // ascending by text
  uint64_t postingsStart = 0;         // file offset of the postings block
  uint32_t postingsSize = 0;
};

// Where the postings block is read from: the open file, or bytes in memory.
// Postings are read when a query needs them, so opening an index reads only
// its head (header, topics, excluded words, dictionary).
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

}  // namespace tarvek::sbi
