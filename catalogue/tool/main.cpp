// tarvek-catalogue: prints an active index database (.idb) or a mapping file
// (.sbf) as stored, says whether it is whole, or reports the health of the
// indexes a database lists. See README.md beside this file.

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "catalogue/tool/CatalogueDump.h"
#include "catalogue/tool/ToolSystem.h"

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
  std::cerr << "usage: tarvek-catalogue [--readable|--escaped] dump FILE\n"
               "       tarvek-catalogue check FILE\n"
               "       tarvek-catalogue [--readable|--escaped] health DATABASE\n";
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvek;
  tool::prepareOutput();
  tool::TextForm form = tool::defaultTextForm();
  int first = 1;
  if (argc == 4 && std::string(argv[1]) == "--readable") form = tool::TextForm::readable, first = 2;
  else if (argc == 4 && std::string(argv[1]) == "--escaped") form = tool::TextForm::escaped, first = 2;
  if (argc != first + 2) return usage();
  const std::string command = argv[first];
  const std::string path = argv[first + 1];
  if (command != "dump" && command != "check" && command != "health") return usage();
  std::string bytes;
  if (!readWhole(path, &bytes)) {
    std::cerr << "tarvek-catalogue: cannot read " << path << "\n";
    return kDamaged;
  }
  const tool::FileKind kind = tool::kindOf(path, bytes);
  if (command == "health") return tool::runHealth(bytes, std::cout, form);
  if (command == "dump") return tool::dump(kind, bytes, std::cout, form).whole() ? kWhole : kDamaged;
  std::ostringstream ignored;
  const ParseReport report = tool::dump(kind, bytes, ignored);
  std::cout << path << ": " << tool::verdict(report) << "\n";
  return report.whole() ? kWhole : kDamaged;
}
