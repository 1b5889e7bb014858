#pragma once
// What a document window shows: the file, the page shown and the selected
// word positions, then the page's text with the selected words highlighted
// (words numbered from 0 on the page, as the index numbers them).

#include <windows.h>

#include "standins/viewer/Model.h"

namespace viewer {

void paintDocument(HWND window, HDC dc, Document& document);

}  // namespace viewer
