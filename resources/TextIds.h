#pragma once
// Ids of the texts in resources/texts.def.

namespace tarvek {

enum TextId : int {
#define TARVEK_TEXT(name, id, text) name = id,
#include "resources/texts.def"
#undef TARVEK_TEXT
};

}  // namespace tarvek
