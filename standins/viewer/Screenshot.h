#pragma once
// Pictures of windows for the script's "shot" command.

#include <windows.h>

#include <string>

namespace viewer {

// Saves what `window` shows as a 24-bit picture: PNG when `path` ends in
// ".png", else BMP. False when it cannot be drawn or written.
bool saveWindowPicture(HWND window, const std::string& path);

}  // namespace viewer
