#include "standins/indexer/SourceTable.h"

#include "standins/engine/ByteIo.h"

namespace tarvek::indexer {
namespace {

constexpr uint32_t kTableVersion = 1;

void text(sbi::ByteWriter& out, const std::string& value) {
  out.u16(static_cast<uint16_t>(value.size()));
  out.raw(value.substr(0, 0xFFFF));
}

bool text(sbi::ByteReader& in, std::string* value) {
  const std::string_view bytes = in.bytes(in.u16());
  value->assign(bytes);
  return in.ok();
}

void u64(sbi::ByteWriter& out, uint64_t value) {
  out.u32(static_cast<uint32_t>(value));
  out.u32(static_cast<uint32_t>(value >> 32));
}

uint64_t u64(sbi::ByteReader& in) {
  const uint64_t low = in.u32();
  return low | (uint64_t{in.u32()} << 32);
}

}  // namespace

std::vector<uint8_t> encodeSources(const SourceTable& table) {
  sbi::ByteWriter out;
  out.u32(kTableVersion);
  out.u32(table.nextTopic);
  text(out, table.pathVariable);
  out.u32(static_cast<uint32_t>(table.files.size()));
  for (const auto& file : table.files) {
    text(out, file.path);
    text(out, file.storedPath);
    text(out, file.title);
    u64(out, file.size);
    u64(out, static_cast<uint64_t>(file.lastWrite));
    out.u32(file.pages);
    u64(out, file.words);
  }
  return std::move(out.bytes());
}

std::optional<SourceTable> decodeSources(const std::vector<uint8_t>& bytes) {
  sbi::ByteReader in(bytes.data(), bytes.size());
  SourceTable table;
  if (in.u32() != kTableVersion) return std::nullopt;
  table.nextTopic = in.u32();
  if (!text(in, &table.pathVariable)) return std::nullopt;
  const uint32_t count = in.u32();
  // Each file takes 34 bytes at least: a larger count is damage.
  if (!in.ok() || count > in.remaining() / 34) return std::nullopt;
  table.files.resize(count);
  for (auto& file : table.files) {
    if (!text(in, &file.path) || !text(in, &file.storedPath) || !text(in, &file.title)) return std::nullopt;
    file.size = u64(in);
    file.lastWrite = static_cast<int64_t>(u64(in));
    file.pages = in.u32();
    file.words = u64(in);
  }
  if (!in.atEnd()) return std::nullopt;
  return table;
}

}  // namespace tarvek::indexer
