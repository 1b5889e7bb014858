#pragma once
// Reads an .sbi index from its bytes. Every count and length is checked
// against the bytes that are there; a file that fails any check yields an
// error code and no index.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/engine/EngineErrors.h"
#include "standins/engine/SbiIndex.h"

namespace tarvek::sbi {

// Parses `size` bytes into *index. Returns kOk, kNotAnIndex,
// kUnsupportedVersion or kDamagedIndex. `verifyChecksum` is off only where a
// test wants to reach the structural checks behind the checksum.
EngineError readIndex(const uint8_t* data, size_t size, bool verifyChecksum, IndexData* index);

// Decodes the postings of one term. False when they are damaged: an ordinal
// past the topics, positions out of order, or a block of the wrong length.
bool decodePostings(const IndexData& index, const Term& term, std::vector<TopicPositions>* out);

}  // namespace tarvek::sbi
