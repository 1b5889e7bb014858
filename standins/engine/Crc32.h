#pragma once
// CRC-32 (the zlib polynomial) over the bytes of an index file, so a flipped
// byte inside a posting is caught at open rather than giving wrong hits.

#include <cstddef>
#include <cstdint>

namespace tarvek::sbi {

uint32_t crc32(const uint8_t* data, size_t size);

}  // namespace tarvek::sbi
