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
  explicit WordList(std::vector<std::string>* words) : words_(words) {}
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
                std::vector<std::string>* words) {
  words->clear();
  WordList out(words);
  out.add(lowerWord);
  if (!options.lemmas && !options.synonyms) return true;
  std::vector<uint32_t> ordinals;
  if (!data.lemmasOf(lowerWord, options.ignoreDiacritics, &ordinals)) return false;
  std::vector<std::string> lemmaTexts;
  if (!addLemmas(data, ordinals, options.lemmas, out, &lemmaTexts)) return false;
  if (!options.synonyms) return true;

  // The thesaurus is keyed by lemma; the typed word counts too, for the words
  // it knows that the dictionary does not.
  lemmaTexts.insert(lemmaTexts.begin(), lowerWord);
  std::vector<std::string> synonyms;
  for (const auto& key : lemmaTexts) {
    if (!data.synonymsOf(key, &synonyms)) return false;
    for (const auto& synonym : synonyms) {
      out.add(synonym);
      if (!options.lemmas) continue;
      if (!data.lemmasOf(synonym, false, &ordinals) || !addLemmas(data, ordinals, true, out, nullptr)) return false;
    }
  }
  return true;
}

}  // namespace tarvek::sbi
