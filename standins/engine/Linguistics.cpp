#include "standins/engine/Linguistics.h"

#include <unordered_set>

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

class WordList {
 public:
  explicit WordList(std::vector<std::string>* words) : words_(words), seen_(words->begin(), words->end()) {}
  void add(const std::string& word) {
    if (seen_.insert(word).second) words_->push_back(word);
  }

 private:
  std::vector<std::string>* words_;
  std::unordered_set<std::string> seen_;
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
  if (keys) keys->lemmas = lemmaTexts;
  if (!options.synonyms) return true;

  // The thesaurus is keyed by lemma; the typed word counts too, for the words
  // it knows that the dictionary does not.
  lemmaTexts.insert(lemmaTexts.begin(), lowerWord);
  std::vector<std::string> synonyms;
  for (const auto& key : lemmaTexts) {
    if (!data.synonymsOf(key, &synonyms)) return false;
    for (const auto& synonym : synonyms) {
      out.add(synonym);
      if (keys) keys->synonyms.push_back(synonym);
      if (!options.lemmas) continue;
      if (!data.lemmasOf(synonym, false, &ordinals) || !addLemmas(data, ordinals, true, out, nullptr)) return false;
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
  std::string text;
  std::vector<std::string> forms;
  for (const auto& lemma : keys.lemmas) {
    if (!index.lemmasOf(lemma, false, &ordinals)) return false;
    for (uint32_t ordinal : ordinals) {
      if (!index.lemma(ordinal, &text, &forms)) return false;
      if (text != lemma) continue;
      out.add(text);
      for (const auto& f : forms) out.add(f);
    }
  }
  for (const auto& synonym : keys.synonyms)
    if (!index.lemmasOf(synonym, false, &ordinals) || !addLemmas(index, ordinals, true, out, nullptr)) return false;
  return true;
}

}  // namespace tarvek::sbi
