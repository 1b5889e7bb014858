#pragma once
// The pictures of the plug-in's four tool buttons (16x16, 16 colours), from
// the plug-in's own resources. The viewer copies a picture when it makes a
// button, so ours may go once the buttons exist.

#include <cstddef>

#include "host/HostApi.h"

namespace tarvek::host {

class ButtonBitmaps {
 public:
  virtual ~ButtonBitmaps() = default;
  // The picture of button `index` (0 to 3), loaded on first use; null if it
  // cannot be loaded. It stays valid until release().
  virtual AVIcon bitmap(size_t index) = 0;
  // Frees every picture loaded so far.
  virtual void release() = 0;
};

}  // namespace tarvek::host
