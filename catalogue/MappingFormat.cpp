#include "catalogue/MappingFormat.h"

#include <algorithm>

#include "catalogue/ByteReader.h"
#include "catalogue/ByteWriter.h"

namespace tarvek {
namespace {

// Fewest bytes an entry can take after its block length: three empty texts
// and three numbers.
constexpr size_t kMinEntryBytes = 3 * 2 + 12;

// Items 2 to 8 of an entry. Damage::truncated means they ran past `in`.
ParseReport readEntryItems(ByteReader& in, MappingEntry* entry) {
  ParseReport report;
  for (std::string* text : {&entry->pdfPath, &entry->auxText, &entry->pdfTitle}) {
    const size_t at = in.offset();
    if (Damage damage = in.countedString(text); damage != Damage::none) {
      report.note(damage, at);
      return report;
    }
  }
  const size_t at = in.offset();
  if (!in.u32(&entry->entryFlag) || !in.i32(&entry->pageCount) || !in.u32(&entry->fileSize)) {
    report.note(Damage::truncated, at);
    return report;
  }
  if (entry->pageCount < 0) {
    report.note(Damage::negativePageCount, at + 4);
    return report;
  }
  // Topics are read only when all of them are there, so a huge count
  // allocates nothing.
  const size_t topicsAt = in.offset();
  if (!in.u32Array(static_cast<size_t>(entry->pageCount), &entry->pageTopics))
    report.note(Damage::truncated, topicsAt);
  return report;
}

// A signed 16-bit list count; negative ones count as empty lists.
bool readCount(ByteReader& in, int16_t* count, ParseReport* report) {
  const size_t at = in.offset();
  if (!in.i16(count)) {
    report->note(Damage::truncated, at);
    return false;
  }
  if (*count < 0) report->note(Damage::negativeCount, at);
  return true;
}

ParseReport readEntries(ByteReader& in, MappingContent* out, ParseReport report) {
  const size_t wanted = static_cast<size_t>(std::max<int16_t>(out->entryCount, 0));
  out->entries.reserve(std::min(wanted, in.remaining() / kMinEntryBytes));
  for (size_t i = 0; i < wanted; ++i) {
    MappingEntry entry;
    if (out->version == kMappingVersion1) {
      const ParseReport damage = readEntryItems(in, &entry);
      if (!damage.whole()) {
        report.note(damage.damage, damage.offset);
        return report;
      }
    } else {
      const size_t at = in.offset();
      uint32_t length = 0;
      std::string_view block;
      if (!in.u32(&length) || !in.bytes(length, &block)) {
        report.note(Damage::truncated, at);
        return report;
      }
      ByteReader items(block, at + 4);
      const ParseReport damage = readEntryItems(items, &entry);
      if (!damage.whole()) {
        report.note(damage.damage == Damage::truncated ? Damage::entryOverrunsBlock : damage.damage, damage.offset);
        return report;
      }
      // Unused bytes at the end of a block are skipped, as the length says.
      if (!items.atEnd()) report.note(Damage::blockLongerThanEntry, items.offset());
    }
    out->entries.push_back(std::move(entry));
  }
  if (!in.atEnd()) report.note(Damage::trailingBytes, in.offset());
  return report;
}

}  // namespace

ParseReport parseMapping(std::string_view bytes, MappingContent* out) {
  *out = MappingContent{};
  ParseReport report;
  ByteReader in(bytes);
  size_t at = in.offset();
  if (!in.u16(&out->version)) {
    report.note(Damage::truncated, at);
    return report;
  }
  at = in.offset();
  if (Damage damage = in.countedString(&out->magic); damage != Damage::none) {
    report.note(damage, at);
    return report;
  }
  at = in.offset();
  if (!in.u32(&out->nextNumber)) {
    report.note(Damage::truncated, at);
    return report;
  }
  int16_t count = 0;
  if (!readCount(in, &count, &report)) return report;
  at = in.offset();
  if (in.remaining() / 2 < static_cast<size_t>(std::max<int16_t>(count, 0))) {
    report.note(Damage::truncated, at);
    return report;
  }
  for (int i = 0; i < count; ++i) {
    uint16_t value = 0;
    in.u16(&value);
    out->numberList.push_back(value);
  }
  if (!readCount(in, &count, &report)) return report;
  for (int i = 0; i < count; ++i) {
    at = in.offset();
    std::string folder;
    if (Damage damage = in.countedString(&folder); damage != Damage::none) {
      report.note(damage, at);
      return report;
    }
    out->folderList.push_back(std::move(folder));
  }
  if (!readCount(in, &out->entryCount, &report)) return report;
  if (out->version != kMappingVersion1 && out->version != kMappingVersion2) {
    // Entries of an unknown layout are left unread.
    report.note(Damage::unknownVersion, 0);
    return report;
  }
  return readEntries(in, out, report);
}

std::string serializeMapping(const MappingContent& content) {
  std::string out;
  appendU16(&out, content.version);
  appendCountedString(&out, content.magic);
  appendU32(&out, content.nextNumber);
  appendU16(&out, static_cast<uint16_t>(content.numberList.size()));
  for (uint32_t value : content.numberList) appendU16(&out, static_cast<uint16_t>(value));
  appendU16(&out, static_cast<uint16_t>(content.folderList.size()));
  for (const std::string& folder : content.folderList) appendCountedString(&out, folder);
  appendU16(&out, static_cast<uint16_t>(content.entries.size()));
  for (const MappingEntry& e : content.entries) {
    std::string items;
    appendCountedString(&items, e.pdfPath);
    appendCountedString(&items, e.auxText);
    appendCountedString(&items, e.pdfTitle);
    appendU32(&items, e.entryFlag);
    appendU32(&items, static_cast<uint32_t>(e.pageTopics.size()));
    appendU32(&items, e.fileSize);
    for (uint32_t topic : e.pageTopics) appendU32(&items, topic);
    if (content.version != kMappingVersion1) appendU32(&out, static_cast<uint32_t>(items.size()));
    out += items;
  }
  return out;
}

}  // namespace tarvek
