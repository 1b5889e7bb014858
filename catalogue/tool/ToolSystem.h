#pragma once
// What tarvek-catalogue does differently on each system: how its output is
// set up, which text form it shows by default, and whether it can look the
// database's Windows paths up on the disk. One implementation per build:
// ToolSystemNative.cpp and win32/ToolSystemWin32.cpp.

#include <ostream>
#include <string_view>

#include "catalogue/tool/CatalogueDump.h"

namespace tarvek::tool {

// Readies standard output: lines end in "\n" on every system, so outputs
// compare byte for byte.
void prepareOutput();

// Texts are readable by default only where a person reads them: on a
// terminal whose locale is UTF-8. Pipes and files get the stable escapes.
TextForm defaultTextForm();

// Exit status of `health` over the database's bytes: 0 fine, 1 when
// something needs attention, 2 when this build cannot look paths up.
int runHealth(std::string_view databaseBytes, std::ostream& out, TextForm form);

}  // namespace tarvek::tool
