#include "standins/engine/LingFormat.h"

#include <algorithm>
#include <array>
#include <string>

#include "standins/engine/WordText.h"

namespace tarvek::sbi::ling {
namespace {

// What foldDiacritics makes of each byte: one letter, or two (ß is ss).
struct FoldedByte {
  unsigned char letters[2];
  uint8_t count;
};

std::array<FoldedByte, 256> makeFoldTable() {
  std::array<FoldedByte, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const std::string folded = foldDiacritics(std::string(1, static_cast<char>(c)), false);
    t[c].count = static_cast<uint8_t>(folded.size() < 2 ? 1 : 2);
    t[c].letters[0] = static_cast<unsigned char>(folded.empty() ? c : folded[0]);
    t[c].letters[1] = static_cast<unsigned char>(folded.size() < 2 ? 0 : folded[1]);
  }
  return t;
}

// Made when the program starts (foldDiacritics needs nothing initialised), so
// the comparisons read it without a guard.
const std::array<FoldedByte, 256> kFoldTable = makeFoldTable();

const std::array<FoldedByte, 256>& foldTable() { return kFoldTable; }

// The folded letters of a word one by one.
class FoldedLetters {
 public:
  FoldedLetters(std::string_view word, const std::array<FoldedByte, 256>& table) : word_(word), table_(table) {}
  bool next(unsigned char* letter) {
    if (at_ == word_.size()) return false;
    const FoldedByte& f = table_[static_cast<unsigned char>(word_[at_])];
    *letter = f.letters[half_];
    if (++half_ == f.count) {
      half_ = 0;
      ++at_;
    }
    return true;
  }

 private:
  std::string_view word_;
  const std::array<FoldedByte, 256>& table_;
  size_t at_ = 0;
  uint8_t half_ = 0;
};

}  // namespace

namespace {

// compareFolded of words whose first `from` bytes are the same: folding
// letter by letter keeps a shared beginning shared.
int compareFoldedFrom(std::string_view a, std::string_view b, size_t from) {
  const auto& table = foldTable();
  if (from < a.size() && from < b.size()) {
    // Keys in order mostly differ in the first letter after what they share.
    const FoldedByte& x = table[static_cast<unsigned char>(a[from])];
    const FoldedByte& y = table[static_cast<unsigned char>(b[from])];
    if (x.letters[0] != y.letters[0]) return x.letters[0] < y.letters[0] ? -1 : 1;
  }
  FoldedLetters x(a.substr(from), table), y(b.substr(from), table);
  for (;;) {
    unsigned char la = 0, lb = 0;
    const bool moreA = x.next(&la), moreB = y.next(&lb);
    if (!moreA || !moreB) return int{moreA} - int{moreB};
    if (la != lb) return la < lb ? -1 : 1;
  }
}

size_t sharedBeginning(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

int compareFolded(std::string_view a, std::string_view b) {
  return compareFoldedFrom(a, b, sharedBeginning(a, b));
}

bool keyLess(Map map, std::string_view a, std::string_view b) {
  if (map != kForms) return a < b;
  // Most pairs differ in their first letters already.
  if (!a.empty() && !b.empty() && a[0] != b[0]) {
    const auto& table = foldTable();
    const unsigned char x = table[static_cast<unsigned char>(a[0])].letters[0];
    const unsigned char y = table[static_cast<unsigned char>(b[0])].letters[0];
    if (x != y) return x < y;
  }
  const size_t shared = sharedBeginning(a, b);
  const int folded = compareFoldedFrom(a, b, shared);
  return folded != 0 ? folded < 0 : a.substr(shared) < b.substr(shared);
}

}  // namespace tarvek::sbi::ling
