#pragma once
// The texts of resources/texts.def compiled into the program, for builds that
// have no string-table resources (the native tests and tools).

#include "resources/TextIds.h"

namespace tarvek {

// The UTF-8 text with this id, or null when there is none.
const char* utf8TextFor(TextId id);

}  // namespace tarvek
