#include "standins/indexer/MappingFile.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "standins/engine/ByteIo.h"

namespace tarvek::indexer {
namespace {

using sbi::ByteReader;
using sbi::ByteWriter;

void countedString(ByteWriter& out, const std::string& text) {
  out.u16(static_cast<uint16_t>(text.size()));
  out.raw(text);
}

std::optional<std::string> readCounted(ByteReader& in) {
  const auto count = static_cast<int16_t>(in.u16());
  if (count < 0) return std::nullopt;
  const std::string_view text = in.bytes(static_cast<size_t>(count));
  if (!in.ok()) return std::nullopt;
  return std::string(text);
}

std::optional<int16_t> readCount(ByteReader& in) {
  const auto count = static_cast<int16_t>(in.u16());
  if (!in.ok() || count < 0) return std::nullopt;
  return count;
}

bool readEntry(ByteReader& in, MappedPdf* pdf) {
  auto path = readCounted(in);
  auto aux = readCounted(in);
  auto title = readCounted(in);
  if (!path || !aux || !title) return false;
  pdf->pdfPath = std::move(*path);
  pdf->auxText = std::move(*aux);
  pdf->pdfTitle = std::move(*title);
  pdf->entryFlag = in.u32();
  const uint32_t pages = in.u32();
  pdf->fileSize = in.u32();
  if (!in.ok() || pages > in.remaining() / 4) return false;
  pdf->pageTopics.resize(pages);
  for (auto& topic : pdf->pageTopics) topic = in.u32();
  return in.ok();
}

}  // namespace

std::optional<std::vector<uint8_t>> encodeMapping(const Mapping& mapping, std::string* problem) {
  if (mapping.numberList.size() > kMaxListItems || mapping.folders.size() > kMaxListItems ||
      mapping.pdfs.size() > kMaxListItems) {
    *problem = "more than 32767 items in a list of the mapping file";
    return std::nullopt;
  }
  ByteWriter out;
  out.u16(kMappingVersion);
  countedString(out, kMappingMagic);
  out.u32(mapping.nextNumber);
  out.u16(static_cast<uint16_t>(mapping.numberList.size()));
  for (uint16_t n : mapping.numberList) out.u16(n);
  out.u16(static_cast<uint16_t>(mapping.folders.size()));
  for (const auto& folder : mapping.folders) {
    if (folder.size() > kMaxTextBytes) {
      *problem = "folder path too long: " + folder.substr(0, 80);
      return std::nullopt;
    }
    countedString(out, folder);
  }
  out.u16(static_cast<uint16_t>(mapping.pdfs.size()));
  for (const auto& pdf : mapping.pdfs) {
    for (const std::string* text : {&pdf.pdfPath, &pdf.auxText, &pdf.pdfTitle}) {
      if (text->size() > kMaxTextBytes) {
        *problem = "text too long in the entry of " + pdf.pdfPath.substr(0, 80);
        return std::nullopt;
      }
    }
    const uint64_t length = (2 + pdf.pdfPath.size()) + (2 + pdf.auxText.size()) + (2 + pdf.pdfTitle.size()) + 12 +
                            4 * uint64_t{pdf.pageTopics.size()};
    out.u32(static_cast<uint32_t>(length));
    countedString(out, pdf.pdfPath);
    countedString(out, pdf.auxText);
    countedString(out, pdf.pdfTitle);
    out.u32(pdf.entryFlag);
    out.u32(static_cast<uint32_t>(pdf.pageTopics.size()));
    out.u32(pdf.fileSize);
    for (uint32_t topic : pdf.pageTopics) out.u32(topic);
  }
  return std::move(out.bytes());
}

std::optional<Mapping> decodeMapping(const std::vector<uint8_t>& bytes) {
  ByteReader in(bytes.data(), bytes.size());
  Mapping mapping;
  const uint16_t version = in.u16();
  if (!readCounted(in) || (version != 1 && version != 2)) return std::nullopt;
  mapping.nextNumber = in.u32();
  auto numbers = readCount(in);
  if (!numbers) return std::nullopt;
  for (int i = 0; i < *numbers; ++i) mapping.numberList.push_back(in.u16());
  auto folders = readCount(in);
  if (!folders) return std::nullopt;
  for (int i = 0; i < *folders; ++i) {
    auto folder = readCounted(in);
    if (!folder) return std::nullopt;
    mapping.folders.push_back(std::move(*folder));
  }
  auto entries = readCount(in);
  if (!entries) return std::nullopt;
  for (int i = 0; i < *entries; ++i) {
    MappedPdf pdf;
    if (version == 2) {
      const uint32_t length = in.u32();
      ByteReader block = in.block(length);
      if (!in.ok() || !readEntry(block, &pdf) || !block.atEnd()) return std::nullopt;
    } else if (!readEntry(in, &pdf)) {
      return std::nullopt;
    }
    mapping.pdfs.push_back(std::move(pdf));
  }
  if (!in.ok()) return std::nullopt;
  return mapping;
}

namespace {

// Reads exactly `size` bytes into `out`; false at the end of the stream.
bool readBytes(std::istream& in, size_t size, std::vector<uint8_t>* out) {
  out->resize(size);
  return size == 0 || static_cast<bool>(in.read(reinterpret_cast<char*>(out->data()), static_cast<std::streamsize>(size)));
}

std::optional<uint32_t> readValue(std::istream& in, size_t size) {
  std::vector<uint8_t> bytes;
  if (!readBytes(in, size, &bytes)) return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return value;
}

// Skips a counted string; false when it is cut or its count negative.
bool skipCounted(std::istream& in) {
  const auto count = readValue(in, 2);
  if (!count || static_cast<int16_t>(*count) < 0) return false;
  std::vector<uint8_t> bytes;
  return readBytes(in, *count, &bytes);
}

}  // namespace

std::optional<std::unordered_map<uint32_t, TopicPlace>> findTopics(std::istream& in,
                                                                   const std::vector<uint32_t>& wanted) {
  std::unordered_map<uint32_t, TopicPlace> found;
  std::vector<uint32_t> sorted(wanted);
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  if (sorted.empty()) return found;
  const auto version = readValue(in, 2);
  if (!version || !skipCounted(in)) return std::nullopt;
  if (*version == 1) {
    // Entries without their length: parsed whole, as decodeMapping does.
    in.seekg(0);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto mapping = decodeMapping(bytes);
    if (!mapping) return std::nullopt;
    for (const auto& [id, place] : topicIndex(*mapping))
      if (std::binary_search(sorted.begin(), sorted.end(), id))
        found[id] = {mapping->pdfs[place.first].pdfPath, place.second};
    return found;
  }
  if (*version != 2 || !readValue(in, 4)) return std::nullopt;
  const auto numbers = readValue(in, 2);
  std::vector<uint8_t> skipped;
  if (!numbers || static_cast<int16_t>(*numbers) < 0 || !readBytes(in, 2 * size_t{*numbers}, &skipped))
    return std::nullopt;
  const auto folders = readValue(in, 2);
  if (!folders || static_cast<int16_t>(*folders) < 0) return std::nullopt;
  for (uint32_t i = 0; i < *folders; ++i)
    if (!skipCounted(in)) return std::nullopt;
  const auto entries = readValue(in, 2);
  if (!entries || static_cast<int16_t>(*entries) < 0) return std::nullopt;
  std::vector<uint8_t> entry;
  for (uint32_t i = 0; i < *entries && found.size() < sorted.size(); ++i) {
    const auto length = readValue(in, 4);
    if (!length || !readBytes(in, *length, &entry)) return std::nullopt;
    ByteReader block(entry.data(), entry.size());
    const auto counted = [&block] {
      const auto count = static_cast<int16_t>(block.u16());
      return count < 0 ? (block.fail(), std::string_view()) : block.bytes(static_cast<size_t>(count));
    };
    const std::string_view path = counted();
    counted();  // aux text
    counted();  // title
    block.u32();               // entry flag
    const uint32_t pages = block.u32();
    block.u32();  // file size
    if (!block.ok() || pages > block.remaining() / 4) return std::nullopt;
    for (uint32_t p = 0; p < pages; ++p) {
      const uint32_t id = block.u32();
      if (std::binary_search(sorted.begin(), sorted.end(), id) && !found.count(id))
        found[id] = {std::string(path), p};
    }
  }
  return found;
}

std::unordered_map<uint32_t, std::pair<size_t, size_t>> topicIndex(const Mapping& mapping) {
  std::unordered_map<uint32_t, std::pair<size_t, size_t>> index;
  for (size_t f = 0; f < mapping.pdfs.size(); ++f)
    for (size_t p = 0; p < mapping.pdfs[f].pageTopics.size(); ++p)
      index.try_emplace(mapping.pdfs[f].pageTopics[p], f, p);
  return index;
}

}  // namespace tarvek::indexer
