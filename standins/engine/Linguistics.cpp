#include "standins/engine/Linguistics.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <unordered_set>

#include "standins/engine/CompoundSplit.h"
#include "standins/engine/LingFormat.h"

namespace tarvek::sbi {

std::string_view languageSuffix(uint32_t language) {
  static constexpr std::string_view kSuffixes[] = {"sk", "en", "cs", "fr", "de", "hu", "pl", "it", "es"};
  return language < std::size(kSuffixes) ? kSuffixes[language] : std::string_view{};
}

std::string lingDataPath(const std::string& folder, uint32_t language) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  path += "ling_";
  path += languageSuffix(language);
  path += ".tld";
  return path;
}

namespace {

// The words in the order they first come, each once. The table holds
// positions in the list (open addressing, at most half full), so adding a
// word allocates nothing beyond the word itself.
class WordList {
 public:
  // Words already in the list count as given.
  explicit WordList(std::vector<std::string>* words) : words_(words) {
    for (const auto& word : *words) hashes_.push_back(std::hash<std::string_view>{}(word));
    size_t slots = kFirstSlots;
    while (words->size() * 2 > slots) slots *= 2;
    place(slots);
  }
  void add(std::string_view word) {
    const size_t hash = std::hash<std::string_view>{}(word);
    const size_t mask = slots_.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
      const uint32_t slot = slots_[at];
      if (slot == kFree) {
        slots_[at] = static_cast<uint32_t>(words_->size());
        words_->emplace_back(word);
        hashes_.push_back(hash);
        if (words_->size() * 2 > slots_.size()) place(slots_.size() * 2);
        return;
      }
      if (hashes_[slot] == hash && (*words_)[slot] == word) return;
    }
  }

 private:
  static constexpr uint32_t kFree = UINT32_MAX;
  static constexpr size_t kFirstSlots = 256;  // a power of two

  // Lays every word of the list into a table of `count` slots.
  void place(size_t count) {
    std::vector<uint32_t> slots(count, kFree);
    const size_t mask = slots.size() - 1;
    for (uint32_t word = 0; word < hashes_.size(); ++word) {
      size_t at = hashes_[word] & mask;
      while (slots[at] != kFree) at = (at + 1) & mask;
      slots[at] = word;
    }
    slots_.swap(slots);
  }

  std::vector<std::string>* words_;
  std::vector<uint32_t> slots_;
  std::vector<size_t> hashes_;  // of each word in the list
};

// Adds each lemma (and with `forms` its forms); its text goes to `lemmaTexts`.
bool addLemmas(ling::LingReader& data, const std::vector<uint32_t>& ordinals, bool forms, WordList& out,
               std::vector<std::string>* lemmaTexts) {
  std::string text;
  std::vector<std::string> lemmaForms;
  for (uint32_t ordinal : ordinals) {
    if (!data.lemma(ordinal, &text, &lemmaForms)) return false;
    if (lemmaTexts) lemmaTexts->push_back(text);
    if (!forms) continue;
    out.add(text);
    for (const auto& f : lemmaForms) out.add(f);
  }
  return true;
}

// A compound the data does not know stands for its tail's lemmas and their
// forms behind its head, and each lemma behind the head is a lemma text of
// the word, for the index's lemmas to widen. What would outgrow a word's 255
// bytes is left out.
bool addCompoundLemmas(ling::LingReader& data, const std::string& word, bool ignoreDiacritics, WordList& out,
                       std::vector<std::string>* lemmaTexts) {
  constexpr size_t kLongestWord = 255;
  CompoundSplit split;
  if (!splitCompound(data, word, ignoreDiacritics, &split)) return false;
  const std::string_view head = std::string_view(word).substr(0, split.headSize);
  std::string text, compound;
  std::vector<std::string> forms;
  const auto behindHead = [&](const std::string& tail) {
    compound.assign(head);
    compound += tail;
    return compound.size() <= kLongestWord;
  };
  for (uint32_t ordinal : split.tailLemmas) {
    if (!data.lemma(ordinal, &text, &forms)) return false;
    if (behindHead(text)) {
      out.add(compound);
      lemmaTexts->push_back(compound);
    }
    for (const auto& form : forms)
      if (behindHead(form)) out.add(compound);
  }
  return true;
}

struct SynonymLemma {
  uint32_t ordinal;
  std::string text;
  std::vector<std::string> forms;
};

// The lemmas of each word, looked up in the forms map's own order so that
// neighbouring words share a block and each block is read once. For data
// whose synonyms do not carry their lemmas.
bool lemmasInOrder(ling::LingReader& data, const std::vector<std::string>& words,
                   std::vector<std::vector<uint32_t>>* lemmasOfWord) {
  std::vector<size_t> order(words.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(),
            [&](size_t a, size_t b) { return ling::keyLess(ling::kForms, words[a], words[b]); });
  lemmasOfWord->assign(words.size(), {});
  for (size_t i : order)
    if (!data.lemmasOf(words[i], false, &(*lemmasOfWord)[i])) return false;
  return true;
}

// Every lemma named in `lemmasOfWord` with its forms, ascending by ordinal,
// so that each lemmas block is read once.
bool fetchLemmas(ling::LingReader& data, const std::vector<std::vector<uint32_t>>& lemmasOfWord,
                 std::vector<SynonymLemma>* lemmas) {
  std::vector<uint32_t> ordinals;
  for (const auto& of : lemmasOfWord) ordinals.insert(ordinals.end(), of.begin(), of.end());
  std::sort(ordinals.begin(), ordinals.end());
  ordinals.erase(std::unique(ordinals.begin(), ordinals.end()), ordinals.end());
  lemmas->clear();
  lemmas->reserve(ordinals.size());
  for (uint32_t ordinal : ordinals) {
    SynonymLemma& lemma = lemmas->emplace_back();
    lemma.ordinal = ordinal;
    if (!data.lemma(ordinal, &lemma.text, &lemma.forms)) return false;
  }
  return true;
}

}  // namespace

bool expandWord(ling::LingReader& data, const std::string& lowerWord, const WordOptions& options,
                std::vector<std::string>* words, ExpansionKeys* keys) {
  words->clear();
  WordList out(words);
  out.add(lowerWord);
  if (!options.lemmas && !options.synonyms) return true;
  std::vector<uint32_t> ordinals;
  if (!data.lemmasOf(lowerWord, options.ignoreDiacritics, &ordinals)) return false;
  std::vector<std::string> lemmaTexts;
  if (!addLemmas(data, ordinals, options.lemmas, out, &lemmaTexts)) return false;
  if (ordinals.empty() && options.lemmas &&
      !addCompoundLemmas(data, lowerWord, options.ignoreDiacritics, out, &lemmaTexts))
    return false;
  if (keys) keys->lemmas = lemmaTexts;
  if (!options.synonyms) return true;

  // The thesaurus is keyed by lemma; the typed word counts too, for the words
  // it knows that the dictionary does not. A synonym given again adds nothing.
  lemmaTexts.insert(lemmaTexts.begin(), lowerWord);
  std::vector<std::string> synonyms, given;
  std::vector<std::vector<uint32_t>> lemmasOfTheKeys, lemmasOfSynonym;  // per synonym of one key; of all given
  std::unordered_set<std::string> seen;
  for (const auto& key : lemmaTexts) {
    if (!data.synonymsOf(key, &synonyms, options.lemmas ? &lemmasOfTheKeys : nullptr)) return false;
    for (size_t i = 0; i < synonyms.size(); ++i) {
      if (!seen.insert(synonyms[i]).second) continue;
      given.push_back(std::move(synonyms[i]));
      if (!lemmasOfTheKeys.empty()) lemmasOfSynonym.push_back(std::move(lemmasOfTheKeys[i]));
    }
  }
  if (keys) keys->synonyms = given;
  if (!options.lemmas) {
    for (const auto& synonym : given) out.add(synonym);
    return true;
  }
  if (!data.synonymsKnowTheirLemmas() && !lemmasInOrder(data, given, &lemmasOfSynonym)) return false;
  std::vector<SynonymLemma> lemmas;
  if (!fetchLemmas(data, lemmasOfSynonym, &lemmas)) return false;
  // Each synonym, then every form of each of its lemmas.
  for (size_t i = 0; i < given.size(); ++i) {
    out.add(given[i]);
    for (uint32_t ordinal : lemmasOfSynonym[i]) {
      const auto it = std::lower_bound(lemmas.begin(), lemmas.end(), ordinal,
                                       [](const SynonymLemma& l, uint32_t o) { return l.ordinal < o; });
      out.add(it->text);
      for (const auto& form : it->forms) out.add(form);
    }
  }
  return true;
}

bool addIndexLemmaForms(ling::LingReader& index, const std::string& lowerWord, const WordOptions& options,
                        const ExpansionKeys& keys, std::vector<std::string>* words) {
  if (!options.lemmas || !index.hasLemmas()) return true;
  WordList out(words);
  std::vector<uint32_t> ordinals;
  if (!index.lemmasOf(lowerWord, options.ignoreDiacritics, &ordinals) || !addLemmas(index, ordinals, true, out, nullptr))
    return false;
  // A lemma of the data's is looked up as a form too, for its own entry: the
  // index lemmas it is merely a form of would join words the data keeps apart.
  // Without diacritics its entry is every index lemma of its key, as a
  // compound's lemma keeps the head as typed ("eszkoztár" for eszköztár).
  std::string text;
  std::vector<std::string> forms;
  for (const auto& lemma : keys.lemmas) {
    if (!index.lemmasOf(lemma, options.ignoreDiacritics, &ordinals)) return false;
    for (uint32_t ordinal : ordinals) {
      if (!index.lemma(ordinal, &text, &forms)) return false;
      if (options.ignoreDiacritics ? ling::compareFolded(text, lemma) != 0 : text != lemma) continue;
      out.add(text);
      for (const auto& f : forms) out.add(f);
    }
  }
  for (const auto& synonym : keys.synonyms)
    if (!index.lemmasOf(synonym, false, &ordinals) || !addLemmas(index, ordinals, true, out, nullptr)) return false;
  return true;
}

}  // namespace tarvek::sbi
