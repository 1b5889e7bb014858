#pragma once
// Byte tables of Windows code page 1250 (Central European), the code page
// the Slovak texts are shown in.

namespace tarvek::cp1250 {

extern const char16_t kToUnicode[256];
extern const unsigned char kToLower[256];
extern const unsigned char kToUpper[256];

// Latin letters and ligatures the code page lacks, ascending, each with what
// it folds to: the letter without its accent (è e, ñ n), or its letters (œ oe,
// ﬁ fi). Derived from Unicode's compatibility decompositions, the marks
// dropped; letters with a stroke or of their own (ø, ł's kin, þ) by hand.
struct LetterFolding {
  char16_t letter;
  char folded[4];
};
extern const LetterFolding kLetterFoldings[];
extern const unsigned kLetterFoldingCount;

// The code page's letters as a base letter and one combining mark spell them
// (c + U+030C is č), ascending by letter and mark.
struct MarkedLetter {
  char base;
  char16_t mark;
  unsigned char letter;
};
extern const MarkedLetter kMarkedLetters[];
extern const unsigned kMarkedLetterCount;

}  // namespace tarvek::cp1250
