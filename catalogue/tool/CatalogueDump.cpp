#include "catalogue/tool/CatalogueDump.h"

#include <cstdio>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "platform/Cp1250.h"
#include "platform/Cp1250Tables.h"

namespace tarvek::tool {
namespace {

struct DamageText {
  const char* token;
  const char* explanation;
};

DamageText textOf(Damage damage) {
  switch (damage) {
    case Damage::none: return {"none", ""};
    case Damage::truncated: return {"truncated", "a field runs past the end of the file"};
    case Damage::negativeLength: return {"negative-length", "a text with a negative byte count"};
    case Damage::negativeCount: return {"negative-count", "a list count below zero, read as empty"};
    case Damage::negativePageCount: return {"negative-page-count", "an entry with a page count below zero"};
    case Damage::unknownVersion: return {"unknown-version", "entries of this version are not read"};
    case Damage::entryOverrunsBlock: return {"entry-overruns-length", "an entry needs more bytes than its length"};
    case Damage::blockLongerThanEntry: return {"length-exceeds-entry", "an entry's length leaves bytes unused"};
    case Damage::trailingBytes: return {"trailing-bytes", "bytes after the last entry"};
  }
  return {"unknown", ""};
}

bool endsWithIgnoringCase(const std::string& name, const char* suffix) {
  const std::string tail(suffix);
  if (name.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    char c = name[name.size() - tail.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != tail[i]) return false;
  }
  return true;
}

void dumpDatabase(std::string_view bytes, std::ostream& out, ParseReport* report, TextForm form) {
  DatabaseContent content;
  *report = parseDatabase(bytes, &content);
  out << "kind: database\n";
  out << "version: " << content.version << "\n";
  out << "magic: " << quoted(content.magic, form) << "\n";
  out << "entryCount: " << content.entryCount << "\n";
  for (size_t i = 0; i < content.entries.size(); ++i) {
    const ActiveIndexEntry& e = content.entries[i];
    const std::string p = "entry[" + std::to_string(i) + "].";
    out << p << "indexPath: " << quoted(e.indexPath, form) << "\n";
    out << p << "mappingPath: " << quoted(e.mappingPath, form) << "\n";
    out << p << "indexName: " << quoted(e.indexName, form) << "\n";
    out << p << "indexerNumber: " << quoted(e.indexerNumber, form) << "\n";
    out << p << "created: " << e.created << "\n";
    out << p << "indexSize: " << e.indexSize << "\n";
    out << p << "fileVersion: " << e.fileVersion << "\n";
    out << p << "language: " << e.language << "\n";
    out << p << "wordCount: " << e.wordCount << "\n";
    out << p << "updated: " << e.updated << "\n";
    out << p << "lemmatized: " << e.lemmatized << "\n";
    out << p << "attribute20: " << e.attribute20 << "\n";
    out << p << "reserved: " << e.reserved << "\n";
  }
}

void dumpMapping(std::string_view bytes, std::ostream& out, ParseReport* report, TextForm form) {
  MappingContent content;
  *report = parseMapping(bytes, &content);
  out << "kind: mapping\n";
  out << "version: " << content.version << "\n";
  out << "magic: " << quoted(content.magic, form) << "\n";
  out << "nextNumber: " << content.nextNumber << "\n";
  out << "numberList:";
  for (uint32_t value : content.numberList) out << ' ' << value;
  out << "\n";
  for (size_t i = 0; i < content.folderList.size(); ++i)
    out << "folder[" << i << "]: " << quoted(content.folderList[i], form) << "\n";
  out << "entryCount: " << content.entryCount << "\n";
  for (size_t i = 0; i < content.entries.size(); ++i) {
    const MappingEntry& e = content.entries[i];
    const std::string p = "entry[" + std::to_string(i) + "].";
    out << p << "pdfPath: " << quoted(e.pdfPath, form) << "\n";
    out << p << "auxText: " << quoted(e.auxText, form) << "\n";
    out << p << "pdfTitle: " << quoted(e.pdfTitle, form) << "\n";
    out << p << "entryFlag: " << e.entryFlag << "\n";
    out << p << "pageCount: " << e.pageCount << "\n";
    out << p << "fileSize: " << e.fileSize << "\n";
    out << p << "pageTopics:";
    for (uint32_t topic : e.pageTopics) out << ' ' << topic;
    out << "\n";
  }
}

}  // namespace

FileKind kindOf(const std::string& fileName, std::string_view bytes) {
  if (endsWithIgnoringCase(fileName, ".idb")) return FileKind::database;
  if (endsWithIgnoringCase(fileName, ".sbf")) return FileKind::mapping;
  const std::string_view magic = bytes.size() >= 14 ? bytes.substr(4, 10) : std::string_view();
  return magic == kDatabaseMagic ? FileKind::database : FileKind::mapping;
}

std::string quoted(std::string_view text, TextForm form) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '%') {
      out += static_cast<char>(c);
    } else if (form == TextForm::readable && c >= 0x80 && cp1250::kToUnicode[c] != 0) {
      out += cp1250::toUtf8(std::string(1, static_cast<char>(c)));
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out + "\"";
}

std::string verdict(const ParseReport& report) {
  if (report.whole()) return "whole";
  const DamageText text = textOf(report.damage);
  return "damaged at byte " + std::to_string(report.offset) + ": " + text.token + " (" + text.explanation + ")";
}

ParseReport dump(FileKind kind, std::string_view bytes, std::ostream& out, TextForm form) {
  ParseReport report;
  if (kind == FileKind::database)
    dumpDatabase(bytes, out, &report, form);
  else
    dumpMapping(bytes, out, &report, form);
  out << "status: " << verdict(report) << "\n";
  return report;
}

}  // namespace tarvek::tool
