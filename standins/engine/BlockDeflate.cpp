#include "standins/engine/BlockDeflate.h"

#include <zlib.h>

#include <memory>

namespace tarvek::sbi::ling {
namespace {

// Raw deflate: negative window bits, the largest window.
constexpr int kWindowBits = -15;

const Bytef* bytesOf(std::string_view s) { return reinterpret_cast<const Bytef*>(s.data()); }

}  // namespace

std::vector<uint8_t> deflateBlock(const std::vector<uint8_t>& block, std::string_view dictionary) {
  z_stream stream{};
  // Level 9 and memory level 9: the data is compiled once and read often.
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, kWindowBits, 9, Z_DEFAULT_STRATEGY) != Z_OK) return {};
  std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, deflateEnd);
  if (!dictionary.empty() &&
      deflateSetDictionary(&stream, bytesOf(dictionary), static_cast<uInt>(dictionary.size())) != Z_OK)
    return {};
  std::vector<uint8_t> out(deflateBound(&stream, static_cast<uLong>(block.size())));
  stream.next_in = const_cast<Bytef*>(block.data());
  stream.avail_in = static_cast<uInt>(block.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  if (deflate(&stream, Z_FINISH) != Z_STREAM_END) return {};
  out.resize(stream.total_out);
  return out;
}

BlockInflater::BlockInflater() : stream_(new z_stream{}) {
  if (inflateInit2(stream_, kWindowBits) != Z_OK) {
    delete stream_;
    stream_ = nullptr;
  }
}

BlockInflater::~BlockInflater() {
  if (!stream_) return;
  inflateEnd(stream_);
  delete stream_;
}

bool BlockInflater::inflate(std::string_view stored, std::string_view dictionary, size_t size,
                            std::vector<uint8_t>* out) {
  if (!stream_ || inflateReset(stream_) != Z_OK) return false;
  // A raw stream takes its dictionary before the first byte, not on request.
  if (!dictionary.empty() &&
      inflateSetDictionary(stream_, bytesOf(dictionary), static_cast<uInt>(dictionary.size())) != Z_OK)
    return false;
  out->resize(size);
  stream_->next_in = const_cast<Bytef*>(bytesOf(stored));
  stream_->avail_in = static_cast<uInt>(stored.size());
  stream_->next_out = out->data();
  stream_->avail_out = static_cast<uInt>(size);
  // One call: the whole output fits, so anything but the stream's end here
  // is damage or a size that does not match.
  const int result = ::inflate(stream_, Z_FINISH);
  return result == Z_STREAM_END && stream_->avail_in == 0 && stream_->avail_out == 0;
}

}  // namespace tarvek::sbi::ling
