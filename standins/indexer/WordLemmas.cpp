#include "standins/indexer/WordLemmas.h"

#include <algorithm>
#include <thread>

#include "platform/Cp1250.h"
#include "standins/engine/WordText.h"
#include "standins/lingdata/HunspellDictionaries.h"
#include "standins/lingdata/Morphology.h"

namespace tarvek::indexer {

std::unique_ptr<WordLemmatizer> WordLemmatizer::open(uint16_t language, const std::string& folder,
                                                     std::string* problem) {
  const auto dictionary = lingdata::hunspellDictionaryOf(language);
  if (!dictionary) {
    *problem = "no hunspell dictionary serves language " + std::to_string(language);
    return nullptr;
  }
  const std::string base = folder + "/" + std::string(dictionary->name);
  auto analyser = lingdata::HunspellAnalyser::open(base + ".aff", base + ".dic", problem);
  if (!analyser) return nullptr;
  return std::unique_ptr<WordLemmatizer>(new WordLemmatizer(std::move(analyser), *dictionary));
}

std::vector<std::string> WordLemmatizer::lemmasAsWritten(const std::string& utf8) const {
  if (dictionary_.stemsAreLemmas) return analyser_->stem(utf8);
  return lingdata::inflectionalLemmas(utf8, analyser_->analyze(utf8), dictionary_.derivationalFlags);
}

std::vector<std::string> WordLemmatizer::lemmasOf(const std::string& word) const {
  if (word.empty()) return {};
  const std::string utf8 = cp1250::toUtf8(word);
  // The index holds words in lower case; nouns (de_DE) and names are entries
  // with a capital, which hunspell finds only when asked so.
  std::vector<std::string> found = lemmasAsWritten(utf8);
  if (found.empty()) found = lemmasAsWritten(cp1250::toUtf8(cp1250::toUpper(word.substr(0, 1)) + word.substr(1)));
  std::vector<std::string> lemmas;
  for (const std::string& lemma : found) {
    // Folded as the words of the pages are, so the lemma of "verrà" is the
    // spelling a page's words are indexed in.
    std::string lower = sbi::lowerWord(cp1250::foldToCp1250(lemma));
    size_t words = 0;
    bool whole = false;
    sbi::forEachWord(lower, [&](std::string_view w, size_t) {
      ++words;
      whole = w.size() == lower.size();
    });
    if (words != 1 || !whole || lower.size() > 255) continue;
    if (std::find(lemmas.begin(), lemmas.end(), lower) == lemmas.end()) lemmas.push_back(std::move(lower));
  }
  return lemmas;
}

std::vector<std::unique_ptr<WordLemmatizer>> openLemmatizers(uint16_t language, const std::string& folder,
                                                            unsigned count, std::string* problem) {
  std::vector<std::unique_ptr<WordLemmatizer>> lemmatizers(count);
  std::vector<std::string> problems(count);
  std::vector<std::thread> threads;
  for (unsigned i = 0; i < count; ++i)
    threads.emplace_back([&, i] { lemmatizers[i] = WordLemmatizer::open(language, folder, &problems[i]); });
  for (auto& thread : threads) thread.join();
  for (unsigned i = 0; i < count; ++i)
    if (!lemmatizers[i]) {
      *problem = problems[i];
      return {};
    }
  return lemmatizers;
}

sbi::LemmaJoins joinToLemmas(const std::vector<std::unique_ptr<WordLemmatizer>>& lemmatizers,
                             const std::vector<std::string>& words) {
  if (lemmatizers.empty()) return {};
  // Word i goes to lemmatizer i mod n; each thread writes its own slots.
  std::vector<std::vector<std::string>> lemmas(words.size());
  std::vector<std::thread> threads;
  for (size_t t = 0; t < lemmatizers.size(); ++t)
    threads.emplace_back([&, t] {
      for (size_t i = t; i < words.size(); i += lemmatizers.size()) lemmas[i] = lemmatizers[t]->lemmasOf(words[i]);
    });
  for (auto& thread : threads) thread.join();
  sbi::LemmaJoins joins;
  for (size_t i = 0; i < words.size(); ++i)
    for (const auto& lemma : lemmas[i]) joins[lemma].insert(words[i]);
  for (auto it = joins.begin(); it != joins.end();)
    it = it->second.size() == 1 && *it->second.begin() == it->first ? joins.erase(it) : std::next(it);
  return joins;
}

}  // namespace tarvek::indexer
