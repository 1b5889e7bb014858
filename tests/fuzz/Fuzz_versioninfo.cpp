// Feeds any bytes to the version-information reader, and the same bytes as a
// version text, checking that what they give back is consistent.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/FileVersionRecord.h"

using namespace tarvek::installer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (const auto record = parseVersionInfo(bytes)) {
    if (compareVersions(*record, *record) != 0) std::abort();
  }
  if (const auto version = parseVersionText(bytes)) {
    if (version->productMost == 0 || (version->productMost >> 16) > 999 || (version->productMost & 0xFFFF) > 999)
      std::abort();
    if (version->fileMost != version->productMost || version->fileLeast != version->productLeast) std::abort();
  }
  return 0;
}
