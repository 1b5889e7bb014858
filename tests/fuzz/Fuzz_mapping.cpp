// Feeds any bytes to the mapping reader, directly and through a full load
// with path variables and a folder scan, and checks the lookups against the
// scans they replace.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/MappingFile.h"
#include "catalogue/MappingFormat.h"
#include "tests/fakes/FakeServices.h"

using namespace tarvek;

namespace {

constexpr char kKey[] = "Software\\Kelbo\\TarvekPDF";

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  MappingContent content;
  const ParseReport report = parseMapping(bytes, &content);
  check(report.offset <= size);
  if (content.version == kMappingVersion1 || content.version == kMappingVersion2) {
    MappingContent again;
    check(parseMapping(serializeMapping(content), &again).whole() || content.entries.size() > 32767);
    check(again.entries == content.entries);
  }

  testing::FakeEnv env;
  env.files.addFile("D:\\Idx\\law.sbf", bytes);
  env.files.addFile("D:\\Pdf\\a.pdf", "pdf");
  env.files.addFile("D:\\Pdf\\B.PDF", "pdf");
  env.registry.writeString(Hive::localMachine, kKey, "$CD", "D:\\Pdf");
  env.registry.writeString(Hive::currentUser, kKey, "$LOOP", "$LOOP\\$CD");
  MappingFile mapping(env.env);
  check(mapping.loadMapping("D:\\Idx\\law.sbf"));
  for (int e = 0; e < mapping.count(); ++e) {
    const MappingEntry entry = *mapping.entry(e);
    const int found = mapping.findByPath(entry.pdfPath);
    check(found >= 0 && found <= e);
    for (size_t p = 0; p < entry.pageTopics.size(); ++p) {
      const int page = mapping.findTopic(entry.pageTopics[p]);
      const int at = mapping.currentPosition();
      check(page >= 0 && (at < e || (at == e && page <= static_cast<int>(p))));
    }
  }
  return 0;
}
