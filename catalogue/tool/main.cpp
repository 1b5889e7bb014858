// tarvek-catalogue: prints an active index database (.idb) or a mapping file
// (.sbf) as stored, says whether it is whole, or reports the health of the
// indexes a database lists. See README.md beside this file.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/win32/Win32Services.h"
#else
#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#endif

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "catalogue/DatabaseFormat.h"
#include "catalogue/MappingFormat.h"
#include "catalogue/tool/CatalogueDump.h"
#include "catalogue/tool/CatalogueHealth.h"

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

// Texts are readable by default only where a person reads them: on a
// terminal whose locale is UTF-8. Pipes and files get the stable escapes.
tarvek::tool::TextForm defaultTextForm() {
#ifdef _WIN32
  return tarvek::tool::TextForm::escaped;
#else
  std::setlocale(LC_CTYPE, "");
  const std::string codeset = nl_langinfo(CODESET);
  return isatty(1) && codeset == "UTF-8" ? tarvek::tool::TextForm::readable : tarvek::tool::TextForm::escaped;
#endif
}

int runHealth(const std::string& bytes, tarvek::tool::TextForm form) {
#ifdef _WIN32
  tarvek::win32::Win32Env services(GetModuleHandleA(nullptr));
  return tarvek::tool::health(services.env(), bytes, std::cout, form) ? kWhole : kDamaged;
#else
  (void)bytes;
  (void)form;
  // The database holds Windows paths; only the Win32 build can look them up.
  std::cerr << "tarvek-catalogue: health runs in the Win32 build (tools/wine-run.sh)\n";
  return kUsage;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvek;
#ifdef _WIN32
  // Lines end in "\n" on every system, so outputs compare byte for byte.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  tool::TextForm form = defaultTextForm();
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
  if (command == "health") return runHealth(bytes, form);
  if (command == "dump") return tool::dump(kind, bytes, std::cout, form).whole() ? kWhole : kDamaged;
  std::ostringstream ignored;
  const ParseReport report = tool::dump(kind, bytes, ignored);
  std::cout << path << ": " << tool::verdict(report) << "\n";
  return report.whole() ? kWhole : kDamaged;
}
