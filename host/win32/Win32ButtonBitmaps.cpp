#include "host/win32/Win32ButtonBitmaps.h"

#include "resources/ButtonBitmapIds.h"

namespace tarvek::host::win32 {

namespace {
constexpr int kBitmapIds[] = {IDB_TOOL_SEARCH, IDB_TOOL_RESULTS, IDB_TOOL_PREVIOUS_HIT, IDB_TOOL_NEXT_HIT};
}

AVIcon Win32ButtonBitmaps::bitmap(size_t index) {
  if (index >= bitmaps_.size()) return nullptr;
  if (!bitmaps_[index]) bitmaps_[index] = static_cast<HBITMAP>(
        LoadImageA(module_, MAKEINTRESOURCEA(kBitmapIds[index]), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  return bitmaps_[index];
}

Win32ButtonBitmaps::~Win32ButtonBitmaps() {
  for (HBITMAP bitmap : bitmaps_)
    if (bitmap) DeleteObject(bitmap);
}

}  // namespace tarvek::host::win32
