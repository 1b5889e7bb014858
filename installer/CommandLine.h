#pragma once
// The installer's command line: "-d" switches on the diagnostic boxes, "-s"
// followed by a folder (optionally in double quotes) sets the source folder.

#include <string>

namespace tarvek::installer {

class InstallerServices;

struct CommandLine {
  bool diagnostics = false;
  std::string sourceFolder;  // with trailing backslash
};

// Applies the arguments (the command line after the program's name) to
// `options`, whose source folder is the program's own folder beforehand. A
// folder whose full path cannot be made leaves the source folder as it was.
void applyCommandLine(InstallerServices& services, const std::string& arguments, CommandLine* options);

}  // namespace tarvek::installer
