#include "standins/viewer/Options.h"

#include <cstdlib>

namespace viewer {

bool parseOptions(const std::vector<std::string>& args, Options* options, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--no-menubar") {
      options->noMenubar = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      *error = "missing value after " + arg;
      return false;
    }
    const std::string& value = args[++i];
    if (arg == "--script") {
      options->script = value;
    } else if (arg == "--handshake") {
      char* end = nullptr;
      options->handshakeVersion = static_cast<uint32_t>(std::strtoul(value.c_str(), &end, 0));
      if (!end || *end) {
        *error = "bad version " + value;
        return false;
      }
    } else if (arg == "--lack-table") {
      options->lackingTables.insert(value);
    } else if (arg == "--lack-menu") {
      options->lackingMenus.insert(value);
    } else if (arg == "--existing-menu") {
      options->existingMenus.push_back(value);
    } else if (arg == "--null-item") {
      options->nullItems.insert(value);
    } else if (arg == "--null-button") {
      options->nullButtons.insert(value);
    } else if (arg == "--out-of-memory") {
      options->outOfMemory.insert(value);
    } else {
      *error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}

}  // namespace viewer
