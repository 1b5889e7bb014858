#include "standins/engine/Crc32.h"

#include <array>

namespace tarvek::sbi {
namespace {

// Slicing by eight: table k gives the CRC of a byte followed by k zero
// bytes, so eight bytes are folded in per step (an index is checksummed
// whole when it is written or updated).
using Tables = std::array<std::array<uint32_t, 256>, 8>;

Tables makeTables() {
  Tables tables{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (uint32_t n = 0; n < 256; ++n)
    for (size_t k = 1; k < 8; ++k) tables[k][n] = tables[0][tables[k - 1][n] & 0xFF] ^ (tables[k - 1][n] >> 8);
  return tables;
}

}  // namespace

uint32_t crc32(const uint8_t* data, size_t size) {
  static const Tables t = makeTables();
  uint32_t c = 0xFFFFFFFFu;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    const uint32_t low = c ^ (uint32_t{data[i]} | uint32_t{data[i + 1]} << 8 | uint32_t{data[i + 2]} << 16 |
                              uint32_t{data[i + 3]} << 24);
    c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
        t[3][data[i + 4]] ^ t[2][data[i + 5]] ^ t[1][data[i + 6]] ^ t[0][data[i + 7]];
  }
  for (; i < size; ++i) c = t[0][(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

}  // namespace tarvek::sbi
