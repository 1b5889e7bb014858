#pragma once
// The layout of a language's linguistic data file, ling_XX.tld, shared by its
// writer (the build step in standins/lingdata) and its reader in the engine.
// FORMAT.md describes it in full.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvek::sbi::ling {

inline constexpr char kMagic[8] = {'T', 'V', 'K', 'L', 'I', 'N', 'G', '\n'};
inline constexpr uint16_t kVersion = 3;
// Version 2 gave a synonym as its text alone, so its lemmas were a forms
// lookup each; version 1 stored its blocks raw, without dictionaries.
// Indexes keep their lemma section in either layout, so the reader takes both.
inline constexpr uint16_t kSynonymTextsVersion = 2;
inline constexpr uint16_t kRawBlocksVersion = 1;
inline constexpr size_t kHeaderSize = 128;
inline constexpr size_t kMapCount = 3;
// A block holds at most this many entries; version 1 held exactly as many.
inline constexpr uint32_t kMaxEntriesPerBlock = 128;
// A block is at most this long: a reader refuses a larger one rather than
// allocate what a damaged size asks for.
inline constexpr uint32_t kMaxBlockBytes = 1u << 20;

// The sorted maps of a file, in header order.
enum Map : size_t {
  kForms = 0,     // form -> ordinals of its lemmas; sorted by diacritics-free key first
  kLemmas = 1,    // lemma -> its other forms
  kSynonyms = 2,  // thesaurus head word -> its one-word synonyms
};

// The entries of a block the writer makes, per map. A lookup inflates the
// whole block it falls in, and a lemma's or a head word's entry is ten times
// a form's, so those maps keep blocks of about a kilobyte with fewer entries.
inline constexpr uint32_t kEntriesPerBlock[kMapCount] = {128, 16, 16};

}  // namespace tarvek::sbi::ling

namespace tarvek::sbi::ling {

// The order of a map's keys. Forms sort by their diacritics-free key first,
// then by bytes, so that every spelling of one key stands together and a
// search without diacritics reads one run; the other maps sort by bytes.
bool keyLess(Map map, std::string_view a, std::string_view b);

// The order of the words' diacritics-free keys (foldDiacritics without the
// German umlaut): negative, zero or positive as fold(a) is below, equal to or
// above fold(b). Folds as it compares, so nothing is allocated.
int compareFolded(std::string_view a, std::string_view b);

}  // namespace tarvek::sbi::ling
