#pragma once
// Reads an .sbi index. Opening reads only the head (header, topics, excluded
// words, dictionary), checked against its checksum and against the file's
// size; each term's postings are read and checked when a query needs them.
// Every count and length is checked against the bytes that are there; a
// file that fails any check yields an error code, never a read beyond it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/engine/EngineErrors.h"
#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

// The number of leading bytes readIndex needs for a file that starts with
// `header` (at least kHeaderSize bytes); 0 when the header is no .sbi header.
size_t headBytesNeeded(const uint8_t* header, size_t size);

// Parses the head of an index file of `fileSize` bytes from `data` (its
// first `available` bytes, the whole file or at least headBytesNeeded).
// Returns kOk, kNotAnIndex, kUnsupportedVersion or kDamagedIndex.
// `verifyChecksums` is off only where a test or fuzzer wants to reach the
// structural checks behind the checksums.
EngineError readIndex(const uint8_t* data, size_t available, uint64_t fileSize, bool verifyChecksums, IndexData* index);

// Reads and decodes the postings of one term. False when they cannot be read
// or are damaged: a checksum mismatch, an ordinal past the topics, positions
// out of order, or a block of the wrong length.
bool decodePostings(const IndexData& index, const Term& term, PostingsSource& source, bool verifyChecksum,
                    std::vector<TopicPositions>* out);

}  // namespace tarvek::sbi
