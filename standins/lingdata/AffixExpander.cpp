#include "standins/lingdata/AffixExpander.h"

#include <iconv.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "standins/lingdata/DicLine.h"

namespace tarvek::lingdata {
namespace {

constexpr Flag kNoFlag = 0xFFFFFFFFu;

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  std::string f;
  while (in >> f) out.push_back(f);
  return out;
}

char32_t decodeUtf8(const std::string& s, size_t& i) {
  const auto b = static_cast<unsigned char>(s[i++]);
  if (b < 0x80) return b;
  int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
  char32_t c = b & (0x3F >> extra);
  for (; extra > 0 && i < s.size(); --extra) c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
  return c;
}

// The 256 characters of ISO 8859-2, asked of iconv once.
const std::u32string& latin2Table() {
  static const std::u32string table = [] {
    std::u32string t(256, U'?');
    iconv_t cd = iconv_open("UTF-32LE", "ISO-8859-2");
    if (cd == reinterpret_cast<iconv_t>(-1)) return t;
    for (int b = 0; b < 256; ++b) {
      char in = static_cast<char>(b);
      char out[4];
      char* inPtr = &in;
      char* outPtr = out;
      size_t inLeft = 1, outLeft = 4;
      if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1))
        t[b] = static_cast<char32_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8 |
                                     static_cast<unsigned char>(out[2]) << 16);
    }
    iconv_close(cd);
    return t;
  }();
  return table;
}

std::vector<CharClass> parseCondition(const std::u32string& text) {
  std::vector<CharClass> out;
  if (text == U".") return out;
  for (size_t i = 0; i < text.size(); ++i) {
    CharClass c;
    if (text[i] == U'.') {
      c.any = true;
    } else if (text[i] == U'[') {
      ++i;
      if (i < text.size() && text[i] == U'^') c.negated = true, ++i;
      for (; i < text.size() && text[i] != U']'; ++i) c.chars += text[i];
    } else {
      c.chars = text[i];
    }
    out.push_back(c);
  }
  return out;
}

bool endsWith(const std::u32string& word, const std::u32string& end) {
  return word.size() >= end.size() && word.compare(word.size() - end.size(), end.size(), end) == 0;
}
bool startsWith(const std::u32string& word, const std::u32string& start) {
  return word.compare(0, start.size(), start) == 0;
}

}  // namespace

bool CharClass::matches(char32_t c) const {
  if (any) return true;
  return (chars.find(c) != std::u32string::npos) != negated;
}

std::string toUtf8(const std::u32string& text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u32string AffixExpander::decode(const std::string& bytes) const {
  std::u32string out;
  if (latin2_) {
    for (char b : bytes) out += latin2Table()[static_cast<unsigned char>(b)];
  } else {
    for (size_t i = 0; i < bytes.size();) out += decodeUtf8(bytes, i);
  }
  if (!ignored_.empty())
    out.erase(std::remove_if(out.begin(), out.end(), [&](char32_t c) { return ignored_.find(c) != std::u32string::npos; }),
              out.end());
  return out;
}

std::vector<Flag> AffixExpander::parseFlags(const std::string& field, bool aliased) const {
  std::vector<Flag> flags;
  if (aliased && !aliases_.empty() && !field.empty() && std::all_of(field.begin(), field.end(), ::isdigit)) {
    const size_t n = std::stoul(field);
    if (n >= 1 && n <= aliases_.size()) flags = aliases_[n - 1];
    return flags;
  }
  switch (mode_) {
    case FlagMode::kChar:
      for (char c : field) flags.push_back(static_cast<unsigned char>(c));
      break;
    case FlagMode::kLong:
      for (size_t i = 0; i + 1 < field.size(); i += 2)
        flags.push_back(static_cast<unsigned char>(field[i]) << 8 | static_cast<unsigned char>(field[i + 1]));
      break;
    case FlagMode::kNum: {
      std::istringstream in(field);
      std::string n;
      while (std::getline(in, n, ','))
        if (!n.empty() && std::all_of(n.begin(), n.end(), ::isdigit)) flags.push_back(std::stoul(n));
      break;
    }
    case FlagMode::kUtf8:
      for (size_t i = 0; i < field.size();) flags.push_back(decodeUtf8(field, i));
      break;
  }
  std::sort(flags.begin(), flags.end());
  return flags;
}

bool AffixExpander::loadAffixes(const std::string& path, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = "cannot read " + path;
    return false;
  }
  std::vector<std::vector<std::string>> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(fields(line));
  }
  auto single = [](const std::vector<Flag>& f) { return f.empty() ? kNoFlag : f.front(); };
  // Settings first: flags and encoding decide how the rest reads.
  for (const auto& f : lines) {
    if (f.size() < 2) continue;
    if (f[0] == "SET") latin2_ = f[1] == "ISO8859-2" || f[1] == "ISO-8859-2";
    if (f[0] == "FLAG") mode_ = f[1] == "long" ? FlagMode::kLong : f[1] == "num" ? FlagMode::kNum : FlagMode::kUtf8;
    if (f[0] == "IGNORE") ignored_ = decode(f[1]);
  }
  for (const auto& f : lines) {
    if (f.empty()) continue;
    if (f[0] == "FULLSTRIP") fullStrip_ = true;
    if (f.size() < 2) continue;
    if (f[0] == "AF" && !std::all_of(f[1].begin(), f[1].end(), ::isdigit)) aliases_.push_back(parseFlags(f[1], false));
    if (f[0] == "AM" && !(f.size() == 2 && std::all_of(f[1].begin(), f[1].end(), ::isdigit)))
      morphAliases_.emplace_back(f.begin() + 1, f.end());
  }
  for (const auto& f : lines) {
    if (f.size() < 2) continue;
    if (f[0] == "NEEDAFFIX" || f[0] == "PSEUDOROOT") needAffix_ = single(parseFlags(f[1], false));
    if (f[0] == "ONLYINCOMPOUND") onlyInCompound_ = single(parseFlags(f[1], false));
    if (f[0] == "FORBIDDENWORD") forbidden_ = single(parseFlags(f[1], false));
    if (f[0] == "CIRCUMFIX") circumfix_ = single(parseFlags(f[1], false));
  }
  // "SFX A Y 3" opens a class; "SFX A strip add[/flags] condition ..." adds to it.
  for (const auto& f : lines) {
    if (f.size() < 4 || (f[0] != "SFX" && f[0] != "PFX")) continue;
    const std::vector<Flag> named = parseFlags(f[1], false);  // a class is named by one flag, never an alias
    if (named.empty()) continue;
    const Flag flag = named.front();
    // The first line of a class is its header: "SFX A Y 3", cross product Y or N.
    const bool header = classes_.find(flag) == classes_.end();
    AffixClass& affixClass = classes_[flag];
    if (header) {
      affixClass.suffix = f[0] == "SFX";
      affixClass.cross = f[2] == "Y";
      continue;
    }
    if (!apostrophes_ && f[3].find('\'') != std::string::npos) continue;
    AffixEntry entry;
    entry.strip = f[2] == "0" ? std::u32string{} : decode(f[2]);
    std::string add = f[3];
    const size_t slash = add.find('/');
    if (slash != std::string::npos) {
      entry.continuation = parseFlags(add.substr(slash + 1));
      add.resize(slash);
    }
    entry.add = add == "0" ? std::u32string{} : decode(add);
    entry.condition = parseCondition(f.size() > 4 ? decode(f[4]) : U".");
    affixClass.entries.push_back(std::move(entry));
  }
  return true;
}

void AffixExpander::setApostrophes(bool on) {
  apostrophes_ = on;
  if (on) return;
  for (auto& [flag, affixClass] : classes_)
    std::erase_if(affixClass.entries, [](const AffixEntry& e) { return e.add.find(U'\'') != std::u32string::npos; });
}

bool AffixExpander::has(const std::vector<Flag>& flags, Flag f) const {
  return f != kNoFlag && std::binary_search(flags.begin(), flags.end(), f);
}

// A word formed with this continuation may stand alone.
bool AffixExpander::valid(const std::vector<Flag>& continuation) const {
  return !has(continuation, needAffix_) && !has(continuation, onlyInCompound_) && !has(continuation, forbidden_);
}

namespace {

bool suffixApplies(const AffixEntry& e, const std::u32string& word, bool fullStrip) {
  if (!endsWith(word, e.strip) || (!fullStrip && e.strip.size() >= word.size())) return false;
  if (e.condition.size() > word.size()) return false;
  const size_t from = word.size() - e.condition.size();
  for (size_t i = 0; i < e.condition.size(); ++i)
    if (!e.condition[i].matches(word[from + i])) return false;
  return true;
}

bool prefixApplies(const AffixEntry& e, const std::u32string& word, bool fullStrip) {
  if (!startsWith(word, e.strip) || (!fullStrip && e.strip.size() >= word.size())) return false;
  if (e.condition.size() > word.size()) return false;
  for (size_t i = 0; i < e.condition.size(); ++i)
    if (!e.condition[i].matches(word[i])) return false;
  return true;
}

std::u32string withSuffix(const AffixEntry& e, const std::u32string& word) {
  return word.substr(0, word.size() - e.strip.size()) + e.add;
}
std::u32string withPrefix(const AffixEntry& e, const std::u32string& word) {
  return e.add + word.substr(e.strip.size());
}

// The stem with its last vowel lengthened or shortened, a syllabic l or r
// after it lengthened, or its final consonant softened: Slovak changes the
// stem's last syllable in some forms (zmluva: zmlúv, jablko: jabĺk, cesta:
// ciest, stôl: stolmi, pole: poľa). The ending
// keeps its letters, so a form of another paradigm (ženie, slovenska) does
// not match.
std::vector<std::u32string> lengthVariants(const std::u32string& stem) {
  static const std::u32string kVowels = U"aeiouyáéíóúýôä", kSwapFrom = U"aeiouyáéíóúýôlrĺŕ",
                              kSwapTo = U"áéíóúýaeiouyoĺŕlr";
  std::vector<std::u32string> out;
  auto swap = [&](size_t at) {
    const size_t k = kSwapFrom.find(stem[at]);
    if (k == std::u32string::npos) return;
    std::u32string v = stem;
    v[at] = kSwapTo[k];
    out.push_back(v);
    if (stem[at] == U'o') out.push_back(stem.substr(0, at) + U'ô' + stem.substr(at + 1));
  };
  const size_t last = stem.find_last_of(kVowels);
  if (last == std::u32string::npos) return out;
  swap(last);
  if (stem[last] == U'e' && last > 0 && stem[last - 1] == U'i') out.push_back(stem.substr(0, last - 1) + stem.substr(last));
  if (stem[last] == U'e' && (last == 0 || stem[last - 1] != U'i')) out.push_back(stem.substr(0, last) + U'i' + stem.substr(last));
  for (size_t q = last + 1; q + 1 < stem.size(); ++q)
    if ((stem[q] == U'l' || stem[q] == U'r') && kVowels.find(stem[q + 1]) == std::u32string::npos) swap(q);
  // A final d, l, n, t softened before the ending (pole: poľa, poľu).
  static const std::u32string kHard = U"dlnt", kSoft = U"ďľňť";
  if (const size_t k = kHard.find(stem.back()); k != std::u32string::npos)
    out.push_back(stem.substr(0, stem.size() - 1) + kSoft[k]);
  return out;
}

std::vector<Flag> merged(const std::vector<Flag>& a, const std::vector<Flag>& b) {
  std::vector<Flag> out;
  std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

}  // namespace

// A flag of the stem that makes other lemmas: a derivational class, or one
// of the paired flags without its pair.
bool AffixExpander::derives(const std::vector<Flag>& flags, Flag f) const {
  if (!classes_.count(f)) return false;
  const bool bothPaired = std::all_of(paired_.begin(), paired_.end(), [&](Flag p) { return has(flags, p); });
  return has(derivational_, f) || (has(paired_, f) && !bothPaired);
}

// A suffix its continuation classes carry on (a twofold suffix).
bool AffixExpander::continued(const AffixEntry& e) const {
  return std::any_of(e.continuation.begin(), e.continuation.end(), [&](Flag f) {
    auto it = classes_.find(f);
    return it != classes_.end() && it->second.suffix;
  });
}

// The stem's flags less the derivational ones; the flags that mark a stem
// (forbidden, needs an affix) stay.
std::vector<Flag> AffixExpander::inflectional(const std::u32string& stem, const std::vector<Flag>& flags) const {
  const bool affixed = stem.size() >= minAffixedStem_, shortStem = stem.size() < minStemFor_;
  std::vector<Flag> out;
  for (Flag f : flags)
    if (!classes_.count(f) || (affixed && !derives(flags, f) && !(shortStem && has(shortStemFlags_, f)))) out.push_back(f);
  return out;
}

void AffixExpander::expandDerived(const std::u32string& stem, const std::vector<Flag>& flags, size_t maxForms,
                                  const std::function<void(const std::u32string&, const std::set<std::u32string>&)>&
                                      onLemma) const {
  if (stem.size() < minAffixedStem_ || has(flags, forbidden_) || has(flags, onlyInCompound_)) return;
  // What a prefixed word inflects by: the stem's own suffixes.
  std::vector<Flag> suffixes;
  for (Flag f : inflectional(stem, flags))
    if (auto it = classes_.find(f); it != classes_.end() && it->second.suffix && it->second.cross) suffixes.push_back(f);
  std::set<std::u32string> forms;
  for (Flag f : inflectional(stem, flags)) {
    if (!has(derivedTwofold_, f) || !classes_.at(f).suffix) continue;
    for (const auto& e : classes_.at(f).entries) {
      if (!continued(e) || !suffixApplies(e, stem, fullStrip_)) continue;
      const std::u32string word = withSuffix(e, stem);
      forms.clear();
      if (valid(e.continuation) && !has(e.continuation, circumfix_)) forms.insert(word);
      for (Flag next : e.continuation)
        if (auto n = classes_.find(next); n != classes_.end() && n->second.suffix)
          for (const auto& s2 : n->second.entries)
            if (suffixApplies(s2, word, fullStrip_) && valid(s2.continuation) && !has(s2.continuation, circumfix_))
              forms.insert(withSuffix(s2, word));
      if (!forms.empty()) onLemma(word, forms);
    }
  }
  for (Flag f : flags) {
    if (!derives(flags, f)) continue;
    const AffixClass& c = classes_.at(f);
    for (const auto& e : c.entries) {
      if (!valid(e.continuation) || has(e.continuation, circumfix_)) continue;
      forms.clear();
      if (c.suffix && suffixApplies(e, stem, fullStrip_)) {
        forms.insert(withSuffix(e, stem));
      } else if (!c.suffix && prefixApplies(e, stem, fullStrip_)) {
        expandStem(withPrefix(e, stem), c.cross ? suffixes : std::vector<Flag>{}, maxForms, &forms);
      }
      if (!forms.empty()) onLemma(c.suffix ? *forms.begin() : withPrefix(e, stem), forms);
    }
  }
}

void AffixExpander::expandStem(const std::u32string& stem, const std::vector<Flag>& stemFlags, size_t maxForms,
                               std::set<std::u32string>* forms) const {
  const std::vector<Flag> flags = inflectional(stem, stemFlags);
  if (has(flags, forbidden_) || has(flags, onlyInCompound_)) return;
  auto add = [&](std::u32string word) {
    if (forms->size() < maxForms && !word.empty()) forms->insert(std::move(word));
  };
  if (!has(flags, needAffix_)) add(stem);

  // Prefixes a word may take: the cross product keeps only classes marked Y.
  auto prefixes = [&](const std::u32string& word, const std::vector<Flag>& from, bool crossOnly, bool suffixCircumfix,
                      bool suffixed) {
    for (Flag flag : from) {
      auto it = classes_.find(flag);
      if (it == classes_.end() || it->second.suffix || (crossOnly && !it->second.cross)) continue;
      for (const auto& p : it->second.entries) {
        if (!prefixApplies(p, word, fullStrip_)) continue;
        const bool circumfix = has(p.continuation, circumfix_);
        if (circumfix != suffixCircumfix) continue;
        if (!suffixed && !valid(p.continuation)) continue;
        if (suffixed && (has(p.continuation, onlyInCompound_) || has(p.continuation, forbidden_))) continue;
        add(withPrefix(p, word));
      }
    }
  };

  auto full = [&] { return forms->size() >= maxForms; };
  for (Flag flag : flags) {
    auto it = classes_.find(flag);
    if (it == classes_.end() || !it->second.suffix) continue;
    for (const auto& s : it->second.entries) {
      if (full()) return;
      if (!suffixApplies(s, stem, fullStrip_)) continue;
      if (has(derivedTwofold_, flag) && continued(s)) continue;  // another lemma
      const std::u32string word = withSuffix(s, stem);
      const bool circumfix = has(s.continuation, circumfix_);
      if (valid(s.continuation) && !circumfix) add(word);
      // A suffix continued by the classes it names (twofold suffixes).
      for (Flag next : twofold_ ? s.continuation : std::vector<Flag>{}) {
        if (full()) return;
        auto n = classes_.find(next);
        if (n == classes_.end() || !n->second.suffix) continue;
        for (const auto& s2 : n->second.entries)
          if (suffixApplies(s2, word, fullStrip_) && valid(s2.continuation) && !has(s2.continuation, circumfix_))
            add(withSuffix(s2, word));
      }
      if (it->second.cross) prefixes(word, merged(flags, s.continuation), true, circumfix, true);
    }
  }
  prefixes(stem, flags, false, false, false);
}

bool AffixExpander::expand(const std::string& dicPath, size_t maxFormsPerStem,
                           const std::function<void(const std::string&, const std::set<std::string>&)>& onStem,
                           std::string* error) const {
  std::ifstream file(dicPath, std::ios::binary);
  if (!file) {
    *error = "cannot read " + dicPath;
    return false;
  }
  std::string line;
  std::getline(file, line);  // the stem count
  std::set<std::u32string> forms;
  std::set<std::string> utf8Forms;
  // For waived conditions: the bare words, and the stems with their suffixes.
  std::set<std::u32string> bare;
  std::vector<std::pair<std::u32string, std::vector<Flag>>> flagged;
  while (std::getline(file, line)) {
    const std::optional<DicEntry> entry = parseDicLine(line);
    // A phrase ("nie je") is no word the engine holds, nor a form of its
    // morphology's stem.
    if (!entry || entry->word.find_first_of(" \t") != std::string::npos) continue;
    const std::string& stem = entry->word;
    const std::string& flagField = entry->flags;
    // The morphological fields after the stem, or the AM line a number names.
    std::vector<std::string> morph = fields(entry->morphology);
    if (morph.size() == 1 && std::all_of(morph[0].begin(), morph[0].end(), ::isdigit) && !morphAliases_.empty()) {
      const size_t n = std::stoul(morph[0]);
      morph = n >= 1 && n <= morphAliases_.size() ? morphAliases_[n - 1] : std::vector<std::string>{};
    }
    std::string namedStem;
    for (const auto& m : morph)
      if (m.size() > 3 && m.compare(0, 3, "st:") == 0) namedStem = m.substr(3);
    forms.clear();
    const std::u32string decoded = decode(stem);
    // Gathers more than it keeps: a stem over the cap keeps its shortest
    // forms, which are its plainest inflections rather than whichever
    // affix class the dictionary happens to list first.
    const std::vector<Flag> flags = parseFlags(flagField);
    if (waiveConditions_ && flagField.empty() && morph.empty()) bare.insert(decoded);
    if (waiveConditions_ && !flags.empty()) flagged.emplace_back(decoded, inflectional(decoded, flags));
    expandStem(decoded, flags, std::max<size_t>(4 * maxFormsPerStem, 400), &forms);
    std::vector<const std::u32string*> kept;
    for (const auto& f : forms) kept.push_back(&f);
    if (kept.size() > maxFormsPerStem) {
      std::stable_sort(kept.begin(), kept.end(), [](auto* a, auto* b) { return a->size() < b->size(); });
      kept.resize(maxFormsPerStem);
    }
    utf8Forms.clear();
    for (const auto* f : kept) utf8Forms.insert(toUtf8(*f));
    onStem(toUtf8(decoded), utf8Forms);
    // A form the dictionary lists as an entry of its own (Hungarian "házak",
    // French plurals) names its stem: its forms are that stem's too.
    if (const std::u32string named = decode(namedStem); !named.empty() && named != decoded)
      onStem(toUtf8(named), utf8Forms);
    if (!derivational_.empty() || !paired_.empty() || !derivedTwofold_.empty())
      expandDerived(decoded, flags, maxFormsPerStem, [&](const std::u32string& lemma, const std::set<std::u32string>& f) {
        utf8Forms.clear();
        for (const auto& w : f) utf8Forms.insert(toUtf8(w));
        onStem(toUtf8(lemma), utf8Forms);
      });
  }
  for (const auto& [stem, flags] : flagged) {
    forms.clear();
    for (Flag f : flags) {
      auto it = classes_.find(f);
      if (it == classes_.end() || !it->second.suffix) continue;
      for (const auto& e : it->second.entries)
        if (endsWith(stem, e.strip) && e.strip.size() < stem.size() && valid(e.continuation)) {
          const std::u32string base = stem.substr(0, stem.size() - e.strip.size());
          if (bare.count(base + e.add)) forms.insert(base + e.add);
          for (const auto& v : lengthVariants(base))
            if (bare.count(v + e.add)) forms.insert(v + e.add);
        }
    }
    if (forms.empty()) continue;
    utf8Forms.clear();
    for (const auto& w : forms) utf8Forms.insert(toUtf8(w));
    onStem(toUtf8(stem), utf8Forms);
  }
  return true;
}

}  // namespace tarvek::lingdata
