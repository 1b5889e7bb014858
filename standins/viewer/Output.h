#pragma once
// Standard output of the viewer: one line per event, in UTF-8 whatever the
// ANSI code page. Texts from plug-ins arrive in the ANSI code page.

#include <string>

namespace viewer {

// ANSI (the system code page) to UTF-8.
std::string utf8FromAnsi(const std::string& ansi);
// UTF-8 to ANSI, for texts read from a script.
std::string ansiFromUtf8(const std::string& utf8);
// A text in double quotes, with backslash escapes for quotes and backslashes
// kept readable: only " and control characters are escaped.
std::string quoted(const std::string& utf8);

// Writes one line (UTF-8, without its end) and flushes.
void printLine(const std::string& utf8);

}  // namespace viewer
