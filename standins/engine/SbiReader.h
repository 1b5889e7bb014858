#pragma once
// Reads an .sbi index. Opening reads only the head (header, name, indexer
// number, excluded words), checked against its checksum and the layout
// against the file's size; topic ids, dictionary blocks and postings are read
// and checked, a chunk or block at a time, when a query needs them. Every
// count and length is checked against the bytes that are there; a file that
// fails any check yields an error code, never a read beyond it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "standins/engine/EngineErrors.h"
#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

// The number of leading bytes readIndex needs for a file that starts with
// `header` (its first `size` bytes, a whole header); 0 when the header is no readable
// .sbi header (then readIndex tells why).
size_t headBytesNeeded(const uint8_t* header, size_t size);

// Parses the head of an index file of `fileSize` bytes from `data` (its
// first `available` bytes, at least headBytesNeeded). Returns kOk,
// kNotAnIndex, kOldFormatVersion, kUnsupportedVersion or kDamagedIndex.
// `verifyChecksums` is off only where a test or fuzzer wants to reach the
// structural checks behind the checksums.
EngineError readIndex(const uint8_t* data, size_t available, uint64_t fileSize, bool verifyChecksums, IndexData* index);

// Reads the head of the index in `source`, a file of `fileSize` bytes:
// first the header, then as much as it says the head takes.
EngineError readIndexHead(PostingsSource& source, uint64_t fileSize, IndexData* index);

// The parts of an open index read on demand, kept once read.
class IndexReader {
 public:
  IndexReader(const IndexData& index, PostingsSource& source, bool verifyChecksums = true)
      : index_(index), source_(source), verify_(verifyChecksums) {}

  const IndexData& data() const { return index_; }
  uint32_t termCount() const { return index_.termCount; }

  // Each of these is false when the bytes cannot be read or are damaged.
  bool topicId(uint32_t ordinal, uint32_t* id);
  bool term(uint32_t ordinal, const Term** out);
  // The ordinal of the first word not below `word` (termCount when none).
  bool lowerBound(const std::string& word, uint32_t* ordinal);
  // Every word, ascending; reads the whole dictionary (fuzzy matching needs it).
  bool allTerms(const std::vector<Term>** out);
  bool postings(const Term& term, std::vector<TopicPositions>* out);
  // The term's postings as stored, checked against their CRC.
  bool postingBytes(const Term& term, std::vector<uint8_t>* out);
  // Reads the source-file table, checked; empty when the index has none.
  bool sources(std::vector<uint8_t>* out);
  // The words of one dictionary block, read and checked but not kept: for
  // walking a whole dictionary in bounded memory.
  bool readBlock(uint32_t number, std::vector<Term>* out);

 private:
  bool block(uint32_t number, const std::vector<Term>** out);
  bool chunk(uint64_t start, uint32_t number, uint32_t entryBytes, uint32_t entriesPerChunk, uint32_t entries,
             std::vector<uint8_t>* out);

  const IndexData& index_;
  PostingsSource& source_;
  bool verify_;
  std::unordered_map<uint32_t, std::vector<uint32_t>> topicChunks_;
  std::unordered_map<uint32_t, std::vector<uint8_t>> blockIndexChunks_;
  std::unordered_map<uint32_t, std::vector<Term>> blocks_;
  std::vector<Term> all_;
  bool allRead_ = false;
};

}  // namespace tarvek::sbi
