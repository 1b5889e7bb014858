#include "catalogue/DamagedCopy.h"

namespace tarvek {

std::string keepDamagedCopy(FileSystem& files, const std::string& path, const std::string& bytes) {
  constexpr int kMaxCopies = 100;
  for (int n = 1; n <= kMaxCopies; ++n) {
    const std::string copy = path + ".damaged" + (n == 1 ? std::string() : std::to_string(n));
    if (files.exists(copy)) continue;
    if (files.writeFile(copy, bytes) != WriteResult::ok) {
      files.removeFile(copy);
      return {};
    }
    return copy;
  }
  return {};
}

}  // namespace tarvek
