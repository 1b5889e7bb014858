#pragma once
// Portable code page 1250 services: conversion to and from UTF-8 and case
// mapping. The native build uses them for its texts and for the fake code page;
// on Windows the system code page is asked instead (Win32CodePage).

#include <string>
#include <string_view>

namespace tarvek::cp1250 {

// Converts CP1250 bytes to UTF-8. Undefined bytes become U+FFFD.
std::string toUtf8(std::string_view ansi);

// Converts UTF-8 to CP1250. Characters CP1250 lacks, and malformed sequences,
// become '?'.
std::string fromUtf8(std::string_view utf8);

// Converts UTF-8 to CP1250 as words are indexed, so that what a user can type
// on a code page 1250 keyboard finds them: a Latin letter the code page lacks
// becomes that letter without its accent (è e, ñ n, ø o) or its letters (œ
// oe, ﬁ fi); a combining mark joins the letter before it where the code page
// has the pair (c + caron č) and is dropped where not. Anything else CP1250
// lacks, and malformed sequences, become '?'.
std::string foldToCp1250(std::string_view utf8);

std::string toLower(std::string_view ansi);
std::string toUpper(std::string_view ansi);

// Compares ignoring case; <0, 0, >0 like strcmp on the lower-cased bytes.
int compareIgnoreCase(std::string_view a, std::string_view b);

}  // namespace tarvek::cp1250
