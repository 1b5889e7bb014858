#pragma once
// Finds, starts and stops the plug-ins: every *.API module below the
// viewer's Plug_ins folder, each taken through PlugInMain, setup, handshake
// and initialisation, and at the end through unload.

#include <windows.h>

#include <string>
#include <vector>

#include "standins/viewer/Host.h"

namespace viewer {

class PlugIns {
 public:
  // Loads the plug-ins found below `folder`, in name order, and prints what
  // each step answers.
  void loadAll(const std::string& folder);
  // Calls every handshaken plug-in's unload procedure, frees the modules and
  // prints whatever a plug-in left behind.
  void unloadAll();

 private:
  struct Loaded {
    HMODULE module = nullptr;
    std::string file;
    Extension* extension = nullptr;
    Callback* unload = nullptr;
  };
  void load(const std::string& folder, const std::string& relative);

  std::vector<Loaded> loaded_;
};

}  // namespace viewer
