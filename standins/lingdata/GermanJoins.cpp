#include "standins/lingdata/GermanJoins.h"

namespace tarvek::lingdata {
namespace {

bool endsWith(const std::string& w, const std::string& end) {
  return w.size() >= end.size() && w.compare(w.size() - end.size(), end.size(), end) == 0;
}

// A capital letter first: A to Z, or Ä, Ö, Ü.
bool capitalised(const std::string& w) {
  if (w.empty()) return false;
  if (w[0] >= 'A' && w[0] <= 'Z') return true;
  return w.size() > 1 && w[0] == '\xC3' && (w[1] == '\x84' || w[1] == '\x96' || w[1] == '\x9C');
}

// The word with its last umlaut undone, or empty when it has none.
std::string withoutUmlaut(const std::string& w) {
  static const std::pair<const char*, char> kUmlauts[] = {{"\xC3\xA4", 'a'}, {"\xC3\xB6", 'o'}, {"\xC3\xBC", 'u'}};
  size_t at = std::string::npos;
  char plain = 0;
  for (const auto& [umlaut, vowel] : kUmlauts) {
    const size_t found = w.rfind(umlaut);
    if (found != std::string::npos && (at == std::string::npos || found > at)) at = found, plain = vowel;
  }
  if (at == std::string::npos) return {};
  return w.substr(0, at) + plain + w.substr(at + 2);
}

const char* const kSeparable[] = {"",    "ab",  "an",  "auf",  "aus",    "bei", "ein", "fest", "her",
                                  "hin", "los", "mit", "nach", "vor",    "weg", "zu",  "zur\xC3\xBC" "ck"};

}  // namespace

std::vector<std::pair<std::string, std::string>> germanJoins(const std::set<std::string>& stems,
                                                             const std::set<std::string>& plurals,
                                                             const std::set<std::string>& lemmas) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const std::string& w : stems) {
    if (capitalised(w) && plurals.count(w)) {
      const std::string plain = withoutUmlaut(w);
      if (plain.empty()) continue;
      if ((endsWith(w, "er") || endsWith(w, "el") || endsWith(w, "en")) && stems.count(plain)) out.emplace_back(plain, w);
      for (const char* ending : {"er", "e"})
        if (endsWith(plain, ending) && !(std::string(ending) == "e" && lemmas.count(w))) {
          const std::string singular = plain.substr(0, plain.size() - std::string(ending).size());
          if (singular.size() >= 2 && stems.count(singular)) out.emplace_back(singular, w);
        }
      continue;
    }
    if (capitalised(w) || !endsWith(w, "t")) continue;
    for (const char* prefix : kSeparable) {
      const std::string p = std::string(prefix) + "ge";
      if (w.compare(0, p.size(), p) != 0 || w.size() < p.size() + 3) continue;
      const std::string x = w.substr(p.size(), w.size() - p.size() - 1);  // less ge- and -t
      for (const std::string& root : {x, endsWith(x, "e") ? x.substr(0, x.size() - 1) : std::string()}) {
        if (root.size() < 2) continue;
        const std::string verb = std::string(prefix) + root + "en";
        if (stems.count(verb)) out.emplace_back(verb, w);
      }
    }
  }
  return out;
}

}  // namespace tarvek::lingdata
