#include "catalogue/tool/ToolSystem.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>

namespace tarvek::tool {

void prepareOutput() {}

TextForm defaultTextForm() {
  std::setlocale(LC_CTYPE, "");
  const std::string codeset = nl_langinfo(CODESET);
  return isatty(1) && codeset == "UTF-8" ? TextForm::readable : TextForm::escaped;
}

int runHealth(std::string_view, std::ostream&, TextForm) {
  // The database holds Windows paths; only the Win32 build can look them up.
  std::cerr << "tarvek-catalogue: health runs in the Win32 build (tools/wine-run.sh)\n";
  return 2;
}

}  // namespace tarvek::tool
