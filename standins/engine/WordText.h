#pragma once
// Words in code page 1250: how text splits into words, and the normal forms
// the index and the queries compare. Shared by the engine, the indexer and
// the tests so that all three cut text the same way.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tarvek::sbi {

// True for the bytes that belong to words: ASCII letters and digits and the
// code page 1250 letters.
bool isWordByte(unsigned char c);

// Calls onWord(word, offset) for every maximal run of word bytes, in order.
void forEachWord(std::string_view text, const std::function<void(std::string_view, size_t)>& onWord);

// Removes a hyphen (or soft hyphen) that ends a line between two letters, so
// that a word split over two lines comes out whole: "infor-\nmation".
std::string joinLineEndHyphens(std::string_view text);

// Lower case in code page 1250.
std::string lowerWord(std::string_view word);

// The diacritics-free key of a lower-case word: every accented letter becomes
// its base letter, ß becomes ss. `germanUmlaut` spells ä as ae instead, so a
// word has two keys and "mäso"/"maso" as well as "Mädchen"/"Maedchen" meet.
std::string foldDiacritics(std::string_view lower, bool germanUmlaut);

// True iff the words are at most one edit apart: one insertion, deletion,
// substitution or transposition of neighbours.
bool withinOneEdit(std::string_view a, std::string_view b);

}  // namespace tarvek::sbi
