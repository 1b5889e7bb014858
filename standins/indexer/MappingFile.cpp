#include "standins/indexer/MappingFile.h"

#include <cstring>

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

std::unordered_map<uint32_t, std::pair<size_t, size_t>> topicIndex(const Mapping& mapping) {
  std::unordered_map<uint32_t, std::pair<size_t, size_t>> index;
  for (size_t f = 0; f < mapping.pdfs.size(); ++f)
    for (size_t p = 0; p < mapping.pdfs[f].pageTopics.size(); ++p)
      index.try_emplace(mapping.pdfs[f].pageTopics[p], f, p);
  return index;
}

}  // namespace tarvek::indexer
