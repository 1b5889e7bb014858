#pragma once
// The pictures of the plug-in's four tool buttons (16x16, 16 colours), from
// the plug-in's own resources. They stay valid as long as the plug-in module
// is loaded: a viewer may draw its buttons from them rather than keep copies,
// and the buttons outlive unload.

#include <cstddef>

#include "host/HostApi.h"

namespace tarvek::host {

class ButtonBitmaps {
 public:
  virtual ~ButtonBitmaps() = default;
  // The picture of button `index` (0 to 3), loaded on first use; null if it
  // cannot be loaded.
  virtual AVIcon bitmap(size_t index) = 0;
};

}  // namespace tarvek::host
