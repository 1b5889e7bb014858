#include "standins/lingdata/EnglishJoins.h"

namespace tarvek::lingdata {
namespace {

bool vowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool consonant(char c) { return c >= 'a' && c <= 'z' && !vowel(c); }

bool endsWith(const std::string& w, const std::string& end) {
  return w.size() >= end.size() && w.compare(w.size() - end.size(), end.size(), end) == 0;
}

// "stopp" of "stopped": the stem "stop", or empty.
std::string undoubled(const std::string& r) {
  const size_t n = r.size();
  if (n >= 4 && consonant(r[n - 1]) && r[n - 1] == r[n - 2]) return r.substr(0, n - 1);
  return {};
}

// "carri" of "carried": the stem "carry", or empty.
std::string yStem(const std::string& r) {
  const size_t n = r.size();
  if (n >= 3 && r[n - 1] == 'i' && consonant(r[n - 2])) return r.substr(0, n - 1) + 'y';
  return {};
}

}  // namespace

std::vector<std::pair<std::string, std::string>> englishJoins(const std::set<std::string>& stems,
                                                              const std::set<std::string>& nouns) {
  std::vector<std::pair<std::string, std::string>> out;
  auto join = [&](const std::string& base, const std::string& word) {
    if (base.size() >= 2 && stems.count(base)) out.emplace_back(base, word);
  };
  for (const std::string& w : stems) {
    if (endsWith(w, "ed")) {
      const std::string r = w.substr(0, w.size() - 2);
      if (auto b = undoubled(r); !b.empty()) join(b, w);
      if (auto b = yStem(r); !b.empty()) join(b, w);
    }
    if (endsWith(w, "ing")) {
      if (auto b = undoubled(w.substr(0, w.size() - 3)); !b.empty()) join(b, w);
    }
    // Comparatives only in pairs with their superlatives, either way round.
    const bool er = endsWith(w, "er"), est = endsWith(w, "est");
    if (er || est) {
      const std::string r = w.substr(0, w.size() - (er ? 2 : 3));
      if (stems.count(r + (er ? "est" : "er"))) {
        if (auto b = undoubled(r); !b.empty()) join(b, w);
        if (auto b = yStem(r); !b.empty()) join(b, w);
      }
    }
    auto noun = [&](const std::string& base) {
      if (nouns.count(base)) join(base, w);
    };
    if (endsWith(w, "ies")) {
      if (auto b = yStem(w.substr(0, w.size() - 2)); !b.empty()) noun(b);
    } else if (endsWith(w, "es")) {
      const std::string b = w.substr(0, w.size() - 2);
      if (endsWith(b, "o") || endsWith(b, "s") || endsWith(b, "x") || endsWith(b, "z") || endsWith(b, "ch") ||
          endsWith(b, "sh"))
        noun(b);
      noun(w.substr(0, w.size() - 1));
    } else if (endsWith(w, "s") && !endsWith(w, "ss")) {
      noun(w.substr(0, w.size() - 1));
    }
  }
  return out;
}

}  // namespace tarvek::lingdata
