#pragma once
// The linguistic data's blocks are stored deflated (raw deflate, no zlib
// header: the block index already holds each block's size and CRC), each
// against its map's preset dictionary, so that a block of a kilobyte still
// finds the suffixes its neighbours share.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

struct z_stream_s;

namespace tarvek::sbi::ling {

// A preset dictionary holds at most the deflate window.
inline constexpr size_t kMaxDictionaryBytes = 32768;

// The bytes of `block` deflated against `dictionary`.
std::vector<uint8_t> deflateBlock(const std::vector<uint8_t>& block, std::string_view dictionary);

// One inflate stream, made once and reset per block.
class BlockInflater {
 public:
  BlockInflater();
  ~BlockInflater();
  BlockInflater(const BlockInflater&) = delete;
  BlockInflater& operator=(const BlockInflater&) = delete;

  // Inflates `stored` against `dictionary` into `out`, which must come to
  // exactly `size` bytes with the stream ending where `stored` does; false
  // for anything else (damaged data, a wrong size, no memory).
  bool inflate(std::string_view stored, std::string_view dictionary, size_t size, std::vector<uint8_t>* out);

 private:
  z_stream_s* stream_;  // null when zlib could not make one
};

}  // namespace tarvek::sbi::ling
