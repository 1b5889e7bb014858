#include "standins/engine/WordText.h"

#include "platform/Cp1250Tables.h"

namespace tarvek::sbi {
namespace {

bool isLetterByte(unsigned char c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  const char16_t u = cp1250::kToUnicode[c];
  return u >= 0xC0 && u <= 0x17F && u != 0xD7 && u != 0xF7;
}

// Base letter of each lower-case code page 1250 letter above 0x7F; 0 where
// the byte is no accented lower-case letter.
char baseLetter(unsigned char c) {
  // clang-format off
  switch (c) {
    case 0x9A: case 0x9C: case 0xBA: return 's';  // š ś ş
    case 0x9D: case 0xFE: return 't';             // ť ţ
    case 0x9E: case 0x9F: case 0xBF: return 'z';  // ž ź ż
    case 0xB3: case 0xBE: case 0xE5: return 'l';  // ł ľ ĺ
    case 0xB9: case 0xE1: case 0xE2: case 0xE3: case 0xE4: return 'a';  // ą á â ă ä
    case 0xE0: case 0xF8: return 'r';             // ŕ ř
    case 0xE6: case 0xE7: case 0xE8: return 'c';  // ć ç č
    case 0xE9: case 0xEA: case 0xEB: case 0xEC: return 'e';  // é ę ë ě
    case 0xED: case 0xEE: return 'i';             // í î
    case 0xEF: case 0xF0: return 'd';             // ď đ
    case 0xF1: case 0xF2: return 'n';             // ń ň
    case 0xF3: case 0xF4: case 0xF5: case 0xF6: return 'o';  // ó ô ő ö
    case 0xF9: case 0xFA: case 0xFB: case 0xFC: return 'u';  // ů ú ű ü
    case 0xFD: return 'y';                        // ý
    default: return 0;
  }
  // clang-format on
}

}  // namespace

bool isWordByte(unsigned char c) { return isLetterByte(c) || (c >= '0' && c <= '9'); }

void forEachWord(std::string_view text, const std::function<void(std::string_view, size_t)>& onWord) {
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && !isWordByte(static_cast<unsigned char>(text[i]))) ++i;
    const size_t begin = i;
    while (i < text.size() && isWordByte(static_cast<unsigned char>(text[i]))) ++i;
    if (i > begin) onWord(text.substr(begin, i - begin), begin);
  }
}

std::string joinLineEndHyphens(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c == '-' || c == 0xAD) && !out.empty() && isLetterByte(static_cast<unsigned char>(out.back()))) {
      size_t j = i + 1;
      while (j < text.size() && (text[j] == ' ' || text[j] == '\t' || text[j] == '\r')) ++j;
      if (j < text.size() && text[j] == '\n') {
        ++j;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t' || text[j] == '\r' || text[j] == '\n')) ++j;
        if (j < text.size() && isLetterByte(static_cast<unsigned char>(text[j]))) {
          i = j - 1;  // drop the hyphen and the line break; the loop goes on with the next letter
          continue;
        }
      }
    }
    out += static_cast<char>(c);
  }
  return out;
}

std::string lowerWord(std::string_view word) {
  std::string out(word);
  for (char& ch : out) ch = static_cast<char>(cp1250::kToLower[static_cast<unsigned char>(ch)]);
  return out;
}

std::string foldDiacritics(std::string_view lower, bool germanUmlaut) {
  std::string out;
  out.reserve(lower.size() + 2);
  for (char ch : lower) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == 0xDF) {
      out += "ss";
    } else if (c == 0xE4 && germanUmlaut) {
      out += "ae";
    } else if (const char base = baseLetter(c)) {
      out += base;
    } else {
      out += ch;
    }
  }
  return out;
}

bool withinOneEdit(std::string_view a, std::string_view b) {
  if (a.size() > b.size()) std::swap(a, b);
  if (b.size() - a.size() > 1) return false;
  size_t prefix = 0;
  while (prefix < a.size() && a[prefix] == b[prefix]) ++prefix;
  if (prefix == a.size()) return true;  // equal, or one letter appended
  if (a.size() < b.size()) return a.substr(prefix) == b.substr(prefix + 1);  // one insertion
  if (a.substr(prefix + 1) == b.substr(prefix + 1)) return true;  // one substitution
  return prefix + 1 < a.size() && a[prefix] == b[prefix + 1] && a[prefix + 1] == b[prefix] &&
         a.substr(prefix + 2) == b.substr(prefix + 2);  // neighbours swapped
}

}  // namespace tarvek::sbi
