// tarvek-catalogue: prints an active index database (.idb) or a mapping file
// (.sbf) as stored, or says whether it is whole. See README.md beside this file.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "catalogue/tool/CatalogueDump.h"

namespace {

constexpr int kWhole = 0;
constexpr int kDamaged = 1;
constexpr int kUsage = 2;

bool readWhole(const std::string& path, std::string* bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

int usage() {
  std::cerr << "usage: tarvek-catalogue dump FILE\n"
               "       tarvek-catalogue check FILE\n";
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvek;
#ifdef _WIN32
  // Lines end in "\n" on every system, so outputs compare byte for byte.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc != 3) return usage();
  const std::string command = argv[1];
  const std::string path = argv[2];
  if (command != "dump" && command != "check") return usage();
  std::string bytes;
  if (!readWhole(path, &bytes)) {
    std::cerr << "tarvek-catalogue: cannot read " << path << "\n";
    return kDamaged;
  }
  const tool::FileKind kind = tool::kindOf(path, bytes);
  if (command == "dump") return tool::dump(kind, bytes, std::cout).whole() ? kWhole : kDamaged;
  std::ostringstream ignored;
  const ParseReport report = tool::dump(kind, bytes, ignored);
  std::cout << path << ": " << tool::verdict(report) << "\n";
  return report.whole() ? kWhole : kDamaged;
}
