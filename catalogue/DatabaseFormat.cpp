#include "catalogue/DatabaseFormat.h"

#include <algorithm>

#include "catalogue/ByteReader.h"
#include "catalogue/ByteWriter.h"

namespace tarvek {
namespace {

// Each field in the order it has on disk; a failure names its offset.
ParseReport readEntry(ByteReader& in, ActiveIndexEntry* entry) {
  ParseReport report;
  for (std::string* text : {&entry->indexPath, &entry->mappingPath, &entry->indexName, &entry->indexerNumber}) {
    const size_t at = in.offset();
    const Damage damage = in.countedString(text);
    if (damage != Damage::none) {
      report.note(damage, at);
      return report;
    }
  }
  const size_t at = in.offset();
  if (in.remaining() < kDatabaseEntryNumberBytes) {
    report.note(Damage::truncated, at);
    return report;
  }
  in.u32(&entry->created);
  in.u32(&entry->indexSize);
  in.u32(&entry->fileVersion);
  in.u16(&entry->language);
  in.u32(&entry->wordCount);
  in.u32(&entry->updated);
  in.u32(&entry->lemmatized);
  in.u32(&entry->attribute20);
  in.u32(&entry->reserved);
  return report;
}

}  // namespace

ParseReport parseDatabase(std::string_view bytes, DatabaseContent* out) {
  *out = DatabaseContent{};
  ParseReport report;
  ByteReader in(bytes);
  if (!in.u16(&out->version)) {
    report.note(Damage::truncated, in.offset());
    return report;
  }
  size_t at = in.offset();
  if (Damage damage = in.countedString(&out->magic); damage != Damage::none) {
    report.note(damage, at);
    return report;
  }
  at = in.offset();
  if (!in.i32(&out->entryCount)) {
    report.note(Damage::truncated, at);
    return report;
  }
  if (out->entryCount < 0) report.note(Damage::negativeCount, at);
  const size_t wanted = static_cast<size_t>(std::max(out->entryCount, 0));
  // Reserve no more than the bytes left could hold, whatever the count says.
  out->entries.reserve(std::min(wanted, in.remaining() / kDatabaseEntryFixedBytes));
  for (size_t i = 0; i < wanted; ++i) {
    ActiveIndexEntry entry;
    const ParseReport damage = readEntry(in, &entry);
    if (!damage.whole()) {
      report.note(damage.damage, damage.offset);
      return report;
    }
    out->entries.push_back(std::move(entry));
  }
  if (!in.atEnd()) report.note(Damage::trailingBytes, in.offset());
  return report;
}

std::string serializeDatabase(const std::vector<ActiveIndexEntry>& entries) {
  std::string out;
  appendU16(&out, kDatabaseVersion);
  appendCountedString(&out, kDatabaseMagic);
  appendU32(&out, static_cast<uint32_t>(entries.size()));
  for (const ActiveIndexEntry& e : entries) {
    appendCountedString(&out, e.indexPath);
    appendCountedString(&out, e.mappingPath);
    appendCountedString(&out, e.indexName);
    appendCountedString(&out, e.indexerNumber);
    appendU32(&out, e.created);
    appendU32(&out, e.indexSize);
    appendU32(&out, e.fileVersion);
    appendU16(&out, e.language);
    appendU32(&out, e.wordCount);
    appendU32(&out, e.updated);
    appendU32(&out, e.lemmatized);
    appendU32(&out, e.attribute20);
    appendU32(&out, e.reserved);
  }
  return out;
}

}  // namespace tarvek
