#pragma once
// How many languages the engine knows: the codes 0 to kLanguageCount - 1,
// in the order of the language list of the index manager and the search
// dialog.

namespace tarvek {

inline constexpr int kLanguageCount = 9;

}  // namespace tarvek
