#include "platform/Cp1250.h"

#include <algorithm>
#include <array>

#include "platform/Cp1250Tables.h"

namespace tarvek::cp1250 {
namespace {

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Reverse of kToUnicode for the characters above 0x7F, built on first use.
struct ReverseTable {
  std::array<std::pair<char16_t, unsigned char>, 128> pairs{};
  ReverseTable() {
    for (int b = 0x80; b < 0x100; ++b) pairs[b - 0x80] = {kToUnicode[b], static_cast<unsigned char>(b)};
  }
  int find(char32_t c) const {
    for (const auto& [u, b] : pairs)
      if (u != 0 && u == c) return b;
    return -1;
  }
};

// Decodes one UTF-8 sequence at text[i]; advances i. Returns U+FFFD on error.
char32_t decodeUtf8(std::string_view text, size_t& i) {
  const unsigned char lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t c = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return c;
}

}  // namespace

std::string toUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (char ch : ansi) {
    const unsigned char b = static_cast<unsigned char>(ch);
    const char16_t u = kToUnicode[b];
    appendUtf8(out, (u == 0 && b != 0) ? 0xFFFD : u);
  }
  return out;
}

namespace {

// UTF-8 into code page 1250: what the code page holds byte for byte, each
// other character as `unmapped(c, &out)` writes it.
template <class Unmapped>
std::string encode(std::string_view utf8, Unmapped unmapped) {
  static const ReverseTable reverse;
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = decodeUtf8(utf8, i);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (const int b = reverse.find(c); b >= 0) {
      out += static_cast<char>(b);
    } else {
      unmapped(c, &out);
    }
  }
  return out;
}

}  // namespace

std::string fromUtf8(std::string_view utf8) {
  return encode(utf8, [](char32_t, std::string* out) { *out += '?'; });
}

std::string foldToCp1250(std::string_view utf8) {
  return encode(utf8, [](char32_t c, std::string* out) {
    if (c >= 0x300 && c <= 0x36F) {
      // A combining mark: with the letter before it, a letter of the code
      // page (c + caron) or else that letter left without the mark.
      const auto marked = std::find_if(kMarkedLetters, kMarkedLetters + kMarkedLetterCount, [&](const MarkedLetter& m) {
        return !out->empty() && m.base == out->back() && m.mark == c;
      });
      if (marked != kMarkedLetters + kMarkedLetterCount) out->back() = static_cast<char>(marked->letter);
      return;
    }
    const auto end = kLetterFoldings + kLetterFoldingCount;
    const auto folding = std::lower_bound(kLetterFoldings, end, c,
                                          [](const LetterFolding& f, char32_t letter) { return f.letter < letter; });
    *out += folding != end && folding->letter == c ? folding->folded : "?";
  });
}

std::string toLower(std::string_view ansi) {
  std::string out(ansi);
  for (char& ch : out) ch = static_cast<char>(kToLower[static_cast<unsigned char>(ch)]);
  return out;
}

std::string toUpper(std::string_view ansi) {
  std::string out(ansi);
  for (char& ch : out) ch = static_cast<char>(kToUpper[static_cast<unsigned char>(ch)]);
  return out;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const int x = kToLower[static_cast<unsigned char>(a[i])];
    const int y = kToLower[static_cast<unsigned char>(b[i])];
    if (x != y) return x - y;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace tarvek::cp1250
