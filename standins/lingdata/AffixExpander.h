#pragma once
// Expands a hunspell dictionary (.aff and .dic) into every form of every
// stem: the stem's suffixes and prefixes with their conditions, the cross
// product of the two, and suffixes continued by a suffix's own classes. The
// stem is the lemma its forms are grouped under. Stems marked forbidden or
// only-in-compound give no forms; a stem or affix marked as needing another
// affix is no form by itself. An entry whose morphology names another stem
// ("st:ház") gives its forms to that stem as well. Text is UTF-8 in, UTF-8
// out.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvek::lingdata {

using Flag = uint32_t;

struct CharClass {
  bool any = false;
  bool negated = false;
  std::u32string chars;
  bool matches(char32_t c) const;
};

struct AffixEntry {
  std::u32string strip, add;
  std::vector<CharClass> condition;
  std::vector<Flag> continuation;  // sorted
};

struct AffixClass {
  bool suffix = false;
  bool cross = false;
  std::vector<AffixEntry> entries;
};

class AffixExpander {
 public:
  // False, with a reason, when the .aff cannot be read.
  bool loadAffixes(const std::string& path, std::string* error);
  // Leaves out suffixes continued by another suffix: in an agglutinative
  // language (Hungarian) they multiply the forms beyond what a file can hold.
  void setTwofold(bool on) { twofold_ = on; }
  // Flags of derivational classes (English agent nouns, -ness, re-, un-):
  // their words are other lemmas, not forms of the stem. A flag field of
  // the .aff's FLAG kind.
  void setDerivational(const std::string& field) { derivational_ = parseFlags(field, false); }
  // Two flags that count only together: a stem with both is an adjective
  // that compares (big: bigger, biggest); one alone is a derivation (walk:
  // walker) or a slip of the dictionary ("be" with the superlative "best").
  void setPaired(const std::string& field) { paired_ = parseFlags(field, false); }
  // Stems shorter than this take no affixes: a letter's plural ("is" of "i")
  // is another word.
  void setMinAffixedStem(size_t letters) { minAffixedStem_ = letters; }
  // Classes whose twofold suffixes (those continued by another class) make
  // another word: cs_CZ's possessive -ův of the nouns, declined as an
  // adjective (otcův, otcova), is an adjective of its own, and a surname's
  // would spell a common word's forms (Konc: koncové, of koncový). The
  // suffixed word is a lemma with its continued forms. A flag field of the
  // .aff's FLAG kind, so after loadAffixes.
  void setDerivedTwofold(const std::string& field) { derivedTwofold_ = parseFlags(field, false); }
  // Flags a stem shorter than `letters` does not take: en_US gives
  // abbreviations and particles the past tense, which then spells another
  // word (bl: bled, fl: fled, re: red, be: bed). A flag field of the .aff's
  // FLAG kind, so after loadAffixes.
  void setMinStemFor(const std::string& field, size_t letters) {
    shortStemFlags_ = parseFlags(field, false);
    minStemFor_ = letters;
  }
  // Leaves out the affixes that write an apostrophe: it_IT's elided articles
  // (l', un', m', bell') make a copy of every form that is no word the
  // engine holds, and would fill a capped stem before its own inflections.
  // Either before or after loadAffixes.
  void setApostrophes(bool on);
  // Calls onStem(lemma, forms) for every stem of the .dic, and for every
  // word its derivational flags make; at most
  // `maxFormsPerStem` forms each (the stem's own first). False when the
  // .dic cannot be read.
  bool expand(const std::string& dicPath, size_t maxFormsPerStem,
              const std::function<void(const std::string&, const std::set<std::string>&)>& onStem,
              std::string* error) const;

  // One stem with its flags; exposed for tests.
  void expandStem(const std::u32string& stem, const std::vector<Flag>& flags, size_t maxForms,
                  std::set<std::u32string>* forms) const;
  // The lemmas the stem's derivational flags make, each with its forms: a
  // suffixed word alone (walker), a prefixed one with the stem's inflections
  // (display: displays, displayed).
  void expandDerived(const std::u32string& stem, const std::vector<Flag>& flags, size_t maxForms,
                     const std::function<void(const std::u32string&, const std::set<std::u32string>&)>& onLemma) const;
  // Joins a bare word of the .dic (no flags, no morphology) to a stem one of
  // whose suffixes would make it if the suffix's condition were waived, up
  // to the length of the stem's last vowel: the Slovak dictionary lists such
  // forms alone (izba: izbám, most: mosta, zmluva: zmlúv).
  void setWaiveConditions(bool on) { waiveConditions_ = on; }
  // A flag field of the .aff's FLAG kind; `aliased` reads a number as an AF line.
  std::vector<Flag> parseFlags(const std::string& field, bool aliased = true) const;
  std::u32string decode(const std::string& bytes) const;

 private:
  enum class FlagMode { kChar, kLong, kNum, kUtf8 };
  bool has(const std::vector<Flag>& flags, Flag f) const;
  bool valid(const std::vector<Flag>& continuation) const;
  bool derives(const std::vector<Flag>& flags, Flag f) const;
  bool continued(const AffixEntry& e) const;
  std::vector<Flag> inflectional(const std::u32string& stem, const std::vector<Flag>& flags) const;

  FlagMode mode_ = FlagMode::kChar;
  bool latin2_ = false;  // SET ISO8859-2, else UTF-8
  bool fullStrip_ = false;
  bool twofold_ = true;
  std::vector<Flag> derivational_, paired_;
  size_t minAffixedStem_ = 0;
  std::vector<Flag> shortStemFlags_, derivedTwofold_;
  size_t minStemFor_ = 0;
  bool waiveConditions_ = false;
  bool apostrophes_ = true;
  std::vector<std::vector<Flag>> aliases_;  // AF lines, numbered from 1
  std::vector<std::vector<std::string>> morphAliases_;  // AM lines, numbered from 1
  std::map<Flag, AffixClass> classes_;
  Flag needAffix_ = 0, onlyInCompound_ = 0, forbidden_ = 0, circumfix_ = 0;
  std::u32string ignored_;
};

std::string toUtf8(const std::u32string& text);

}  // namespace tarvek::lingdata
