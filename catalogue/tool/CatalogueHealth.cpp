#include "catalogue/tool/CatalogueHealth.h"

#include "catalogue/DatabaseFormat.h"
#include "catalogue/IndexManager.h"
#include "catalogue/MappingFile.h"
#include "resources/TextTable.h"

namespace tarvek::tool {
namespace {

// The pages the indexer found no word on, by OCR either: NAME.notext beside
// NAME.sbi, one "stored PDF path<TAB>page from 1" a line. Such pages are in
// the index but no query can find them.
void reportPagesWithoutText(Env& env, const std::string& indexPath, const std::string& p, std::ostream& out,
                            TextForm form) {
  const size_t dot = indexPath.find_last_of('.');
  const size_t slash = indexPath.find_last_of('\\');
  const std::string base = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                               ? indexPath.substr(0, dot)
                               : indexPath;
  std::string bytes;
  if (!env.files.readFile(base + ".notext", &bytes)) return;
  size_t count = 0;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(start, end - start);
    start = end + 1;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    out << p << ".pageWithoutText: " << quoted(line.substr(0, tab), form) << " page " << line.substr(tab + 1) << "\n";
    ++count;
  }
  if (count) out << p << ".pagesWithoutText: " << count << "\n";
}

}  // namespace

bool health(Env& env, std::string_view databaseBytes, std::ostream& out, TextForm form) {
  DatabaseContent content;
  const ParseReport report = parseDatabase(databaseBytes, &content);
  int troubled = 0;
  for (size_t i = 0; i < content.entries.size(); ++i) {
    const ActiveIndexEntry& e = content.entries[i];
    const std::string p = "index[" + std::to_string(i) + "]";
    int status = kIndexStatusOk;
    if (!env.files.exists(e.indexPath)) status += kIndexStatusIndexMissing;
    if (!env.files.exists(e.mappingPath)) status += kIndexStatusMappingMissing;
    out << p << ": " << quoted(e.indexName, form) << "\n";
    out << p << ".indexPath: " << quoted(e.indexPath, form) << "\n";
    out << p << ".status: " << status << " (" << utf8TextFor(statusTextId(static_cast<IndexStatus>(status)))
        << ")\n";
    bool fine = status == kIndexStatusOk;
    // The mapping as stored, then the PDF files its folders hold beyond it,
    // found as the manager's folder scan finds them.
    std::string bytes;
    if (env.files.readFile(e.mappingPath, &bytes)) {
      MappingFile mapping(env);
      mapping.loadFromBytes(e.mappingPath, bytes);
      const int listed = mapping.count();
      for (const std::string& folder : mapping.folders()) mapping.scanFolder(folder);
      for (int k = 0; k < mapping.count(); ++k) {
        const std::string& pdf = mapping.entry(k)->pdfPath;
        if (k >= listed) {
          out << p << ".uncoveredPdf: " << quoted(pdf, form) << "\n";
          fine = false;
        } else if (!env.files.exists(pdf)) {
          out << p << ".missingPdf: " << quoted(pdf, form) << "\n";
          fine = false;
        }
      }
      if (!mapping.lastParse().whole()) {
        out << p << ".mapping: " << verdict(mapping.lastParse()) << "\n";
        fine = false;
      }
    }
    reportPagesWithoutText(env, e.indexPath, p, out, form);
    if (!fine) ++troubled;
  }
  out << "database: " << verdict(report) << "\n";
  out << "health: " << troubled << " of " << content.entries.size() << " indexes need attention\n";
  return report.whole() && troubled == 0;
}

}  // namespace tarvek::tool
