#pragma once
// Byte tables of Windows code page 1250 (Central European), the code page
// the Slovak texts are shown in.

namespace tarvek::cp1250 {

extern const char16_t kToUnicode[256];
extern const unsigned char kToLower[256];
extern const unsigned char kToUpper[256];

}  // namespace tarvek::cp1250
