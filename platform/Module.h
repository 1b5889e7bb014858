#pragma once
// The running module (the plug-in DLL or the installer program): its texts,
// its own file name and its version resource.

#include <array>
#include <cstdint>
#include <string>

#include "resources/TextIds.h"

namespace tarvek {

using FileVersion = std::array<uint16_t, 4>;  // most significant part first

class Module {
 public:
  virtual ~Module() = default;
  // The text with this id in the system code page; empty if there is none.
  virtual std::string text(TextId id) = 0;
  // Full path of the module's own file.
  virtual std::string fileName() = 0;
  // The fixed file version of the module's version resource; false if unreadable.
  virtual bool fileVersion(FileVersion* version) = 0;
};

}  // namespace tarvek
