#pragma once
// The stand-in viewer's command line.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace viewer {

struct Options {
  std::string script;                  // --script FILE, or "-" for standard input; empty: interactive
  uint32_t handshakeVersion = 0x00020000;  // --handshake VERSION (hex or decimal)
  std::set<std::string> lackingTables;     // --lack-table NAME: ASExtensionMgrGetHFT answers null
  std::set<std::string> lackingMenus;      // --lack-menu NAME: the viewer has no such menu
  std::vector<std::string> existingMenus;  // --existing-menu NAME: already on the menu bar at start
  std::set<std::string> nullItems;         // --null-item NAME: AVMenuItemNew answers null
  std::set<std::string> nullButtons;       // --null-button NAME: AVToolButtonNew answers null
  bool noMenubar = false;                  // --no-menubar: AVAppGetMenubar answers null
  std::set<std::string> outOfMemory;       // --out-of-memory NAME: making or adding that menu, item or
                                           // button raises, as a viewer out of memory does
};

// Parses the arguments after the program name; false with `error` set on a
// bad one.
bool parseOptions(const std::vector<std::string>& args, Options* options, std::string* error);

}  // namespace viewer
