#include "installer/CommandLine.h"

#include "installer/InstallerServices.h"

namespace tarvek::installer {
namespace {

bool isSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool isControl(char c) { return static_cast<unsigned char>(c) < ' '; }

// The folder is named through a dummy file in it, so that making the path
// full gives the folder's own path back as the file's folder.
void setSourceFolder(InstallerServices& services, std::string folder, CommandLine* options) {
  if (folder.empty()) return;
  if (folder.back() == '\\') folder.pop_back();
  std::string full;
  if (!services.fullPath(folder + "\\w.w", &full)) return;
  const size_t slash = full.rfind('\\');
  if (slash == std::string::npos) return;
  options->sourceFolder = full.substr(0, slash + 1);
}

}  // namespace

void applyCommandLine(InstallerServices& services, const std::string& arguments, CommandLine* options) {
  const size_t n = arguments.size();
  size_t i = 0;
  while (i < n) {
    while (i < n && isSeparator(arguments[i])) ++i;
    if (i >= n) break;
    const size_t start = i;
    if (arguments[i] == '-' && i + 1 < n && (arguments[i + 1] == 's' || arguments[i + 1] == 'S')) {
      i += 2;
      if (i < n && arguments[i] == '"') {
        // A quoted folder runs to the closing quote; a control character or
        // the end before it drops the option.
        const size_t from = ++i;
        while (i < n && arguments[i] != '"' && !isControl(arguments[i])) ++i;
        if (i < n && arguments[i] == '"') {
          setSourceFolder(services, arguments.substr(from, i - from), options);
          ++i;
        }
      } else {
        const size_t from = i;
        while (i < n && !isSeparator(arguments[i])) ++i;
        setSourceFolder(services, arguments.substr(from, i - from), options);
      }
      continue;
    }
    while (i < n && !isSeparator(arguments[i])) ++i;
    const std::string token = arguments.substr(start, i - start);
    if (token == "-d" || token == "-D") options->diagnostics = true;
  }
}

}  // namespace tarvek::installer
