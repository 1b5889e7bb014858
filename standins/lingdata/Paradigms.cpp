#include "standins/lingdata/Paradigms.h"

#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "standins/lingdata/DicLine.h"
#include "standins/lingdata/Morphology.h"

namespace tarvek::lingdata {
namespace {

// The value of the first `name:` field of an analysis, or empty.
std::string field(const std::string& analysis, const std::string& name) {
  std::istringstream fields(analysis);
  std::string f;
  while (fields >> f)
    if (f.size() > name.size() && f.compare(0, name.size() + 1, name + ":") == 0) return f.substr(name.size() + 1);
  return {};
}

// The parts of speech of the readings that make `word` a lemma of its own
// (its st:, whatever inflection the entry itself carries: hu_HU's verbs are
// entered in the third person, is:PRES_INDIC_INDEF_SG_3), each as the
// patterns know it: a proper noun (noun_prs) inflects as a noun.
std::set<std::string> lemmaPartsOfSpeech(const WordAnalyser& analyser, const std::string& word) {
  std::set<std::string> parts;
  for (const std::string& analysis : analyser.analyze(word)) {
    const std::vector<std::string> lemmas = inflectionalLemmas(word, {analysis});
    if (lemmas.size() == 1 && lemmas[0] == word)
      if (const std::string pos = field(analysis, "po"); !pos.empty()) parts.insert(pos.substr(0, pos.find('_')));
  }
  return parts;
}

}  // namespace

Patterns readPatterns(const WordAnalyser& analyser, const std::vector<std::string>& modelWords) {
  Patterns patterns;
  for (const std::string& word : modelWords)
    for (const std::string& analysis : analyser.analyze(word))
      // The first reading that inflects (is:) and derives nothing.
      if (!field(analysis, "is").empty() && !inflectionalLemmas(word, {analysis}).empty()) {
        if (const std::string pos = field(analysis, "po"); !pos.empty())
          patterns[pos.substr(0, pos.find('_'))].push_back(analysis);
        break;
      }
  return patterns;
}

std::vector<std::string> readDicWords(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> words;
  std::string line;
  if (!std::getline(file, line)) return words;  // the entry count
  while (std::getline(file, line))
    if (auto entry = parseDicLine(line); entry && entry->word.find_first_of(" \t") == std::string::npos)
      words.push_back(std::move(entry->word));
  return words;
}

LemmaGroups generateParadigms(const std::vector<std::string>& words, const Patterns& patterns,
                              const std::vector<const WordAnalyser*>& workers) {
  // Per word: the forms it generates as a lemma, or else the lemmas it is a
  // form of (the dictionary lists some inflections as entries of their own:
  // hu_HU's suppletive "vagyok", "volt" of van).
  std::vector<std::vector<std::string>> forms(words.size()), lemmasOf(words.size());
  {
    std::vector<std::jthread> threads;
    for (size_t w = 0; w < workers.size(); ++w)
      threads.emplace_back([&, w] {
        const WordAnalyser& analyser = *workers[w];
        for (size_t i = w; i < words.size(); i += workers.size()) {
          const std::set<std::string> parts = lemmaPartsOfSpeech(analyser, words[i]);
          if (parts.empty()) {
            lemmasOf[i] = inflectionalLemmas(words[i], analyser.analyze(words[i]));
            continue;
          }
          forms[i].push_back(words[i]);
          for (const std::string& pos : parts)
            if (auto p = patterns.find(pos); p != patterns.end())
              for (std::string& f : analyser.generate(words[i], p->second)) forms[i].push_back(std::move(f));
        }
      });
  }
  LemmaGroups groups;
  for (size_t i = 0; i < words.size(); ++i)
    if (!forms[i].empty()) groups[words[i]].insert(forms[i].begin(), forms[i].end());
  for (size_t i = 0; i < words.size(); ++i)
    for (const std::string& lemma : lemmasOf[i])
      if (auto group = groups.find(lemma); group != groups.end()) group->second.insert(words[i]);
  return groups;
}

}  // namespace tarvek::lingdata
