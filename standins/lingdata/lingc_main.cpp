// tarvek-lingc: compiles one language's dictionaries into ling_XX.tld for the
// stand-in engine. Run by the build (CMakeLists.txt here), optimised whatever
// the tree's build type.
//
//   tarvek-lingc --language N --out FILE [--aff A --dic D] [--thesaurus T]
//                [--irregular FILE]... [--max-forms-per-stem N] [--max-forms N]
//                [--twofold no] [--derivational FLAGS] [--paired FLAGS]
//                [--min-affixed-stem N] [--min-stem-for N --min-stem-flags FLAGS]
//                [--derived-twofold FLAGS] [--join english|german|italian]
//                [--waive-conditions yes] [--analyse yes] [--max-forms-per-lemma N]
//                [--paradigms MODELS] [--apostrophes no] [--head-forms yes]
//                [--capitalised-nouns yes]
//
// With --paradigms the affix rules are not expanded: hunspell generates each
// lemma's forms after the model words of MODELS (Paradigms.h).
// A capitalised entry whose lower-case spelling the dictionary enters too is
// a name that looks like a word and is left out (EngineWords.h), unless
// --capitalised-nouns yes says the language writes its nouns so (de_DE: Weg
// and weg, Essen and essen are both words).
// With --analyse yes the affix rules only propose forms: each is joined to
// the lemmas hunspell's own analysis gives it (AnalysedGroups.h), so
// derivations make no forms of their root and forms the rules make from one
// entry join the lemma they inflect.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/Cp1250.h"
#include "standins/engine/LingWriter.h"
#include "standins/engine/WordText.h"
#include "standins/lingdata/AffixExpander.h"
#include "standins/lingdata/AnalysedGroups.h"
#include "standins/lingdata/EngineWords.h"
#include "standins/lingdata/EnglishJoins.h"
#include "standins/lingdata/FormGroups.h"
#include "standins/lingdata/GermanJoins.h"
#include "standins/lingdata/HeadForms.h"
#include "standins/lingdata/HunspellAnalyser.h"
#include "standins/lingdata/ItalianJoins.h"
#include "standins/lingdata/Paradigms.h"
#include "standins/lingdata/Thesaurus.h"

namespace {

using tarvek::sbi::ling::LingSource;

// The engine's spelling of the dictionary's words (EngineWords.h), set up in
// main once the dictionary is known.
std::unique_ptr<tarvek::lingdata::EngineWords> engineWords;

std::string engineWord(const std::string& utf8) { return engineWords->word(utf8); }

// Two analysers of one dictionary, one a thread (the build machine's cores);
// empty, with the reason, when it cannot be read.
std::vector<std::unique_ptr<tarvek::lingdata::HunspellAnalyser>> openAnalysers(const std::string& aff,
                                                                               const std::string& dic,
                                                                               std::string* error) {
  std::vector<std::unique_ptr<tarvek::lingdata::HunspellAnalyser>> analysers;
  for (int i = 0; i < 2; ++i) {
    auto analyser = tarvek::lingdata::HunspellAnalyser::open(aff, dic, error);
    if (!analyser) return {};
    analysers.push_back(std::move(analyser));
  }
  return analysers;
}

std::vector<const tarvek::lingdata::WordAnalyser*> workersOf(
    const std::vector<std::unique_ptr<tarvek::lingdata::HunspellAnalyser>>& analysers) {
  std::vector<const tarvek::lingdata::WordAnalyser*> workers;
  for (const auto& a : analysers) workers.push_back(a.get());
  return workers;
}

}  // namespace

int main(int argc, char** argv) {
  std::string aff, dic, thesaurus, out;
  std::vector<std::string> irregular;
  long language = -1;
  bool twofold = true, waive = false, analyse = false, apostrophes = true, headForms = false, capitalisedNouns = false;
  std::string derivational, paired, join, paradigms;
  size_t minAffixedStem = 0, minStemFor = 0;
  std::string shortStemFlags, derivedTwofold;
  size_t maxPerStem = 1000, maxForms = 8'000'000, maxPerLemma = 1000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i], value = argv[i + 1];
    if (option == "--language") language = std::stol(value);
    else if (option == "--aff") aff = value;
    else if (option == "--dic") dic = value;
    else if (option == "--thesaurus") thesaurus = value;
    else if (option == "--irregular") irregular.push_back(value);
    else if (option == "--max-forms-per-stem") maxPerStem = std::stoul(value);
    else if (option == "--max-forms") maxForms = std::stoul(value);
    else if (option == "--out") out = value;
    else if (option == "--twofold") twofold = value != "no";
    else if (option == "--derivational") derivational = value;
    else if (option == "--paired") paired = value;
    else if (option == "--min-affixed-stem") minAffixedStem = std::stoul(value);
    else if (option == "--min-stem-for") minStemFor = std::stoul(value);
    else if (option == "--min-stem-flags") shortStemFlags = value;
    else if (option == "--derived-twofold") derivedTwofold = value;
    else if (option == "--join") join = value;
    else if (option == "--waive-conditions") waive = value == "yes";
    else if (option == "--analyse") analyse = value == "yes";
    else if (option == "--paradigms") paradigms = value;
    else if (option == "--max-forms-per-lemma") maxPerLemma = std::stoul(value);
    else if (option == "--apostrophes") apostrophes = value != "no";
    else if (option == "--head-forms") headForms = value == "yes";
    else if (option == "--capitalised-nouns") capitalisedNouns = value == "yes";
    else {
      std::fprintf(stderr, "tarvek-lingc: unknown option %s\n", option.c_str());
      return 2;
    }
  }
  if (language < 0 || language > 8 || out.empty()) {
    std::fprintf(stderr, "usage: tarvek-lingc --language N --out FILE [--aff A --dic D] [--thesaurus T] "
                         "[--irregular FILE]... [--max-forms-per-stem N] [--max-forms N] [--twofold no] "
                         "[--derivational FLAGS] [--paired FLAGS] [--min-affixed-stem N] [--min-stem-for N --min-stem-flags FLAGS] "
                         "[--derived-twofold FLAGS] [--join english|german|italian] "
                         "[--waive-conditions yes] [--analyse yes] [--max-forms-per-lemma N] [--paradigms MODELS] "
                         "[--apostrophes no] [--head-forms yes] [--capitalised-nouns yes]\n");
    return 2;
  }

  engineWords = std::make_unique<tarvek::lingdata::EngineWords>(
      dic.empty() ? std::vector<std::string>{} : tarvek::lingdata::readDicWords(dic));
  LingSource source;
  size_t forms = 0, stems = 0, cappedStems = 0, droppedStems = 0;
  if (!aff.empty() && !paradigms.empty()) {
    std::string error;
    const auto analysers = openAnalysers(aff, dic, &error);
    std::vector<std::string> models;
    const bool read = tarvek::lingdata::readFormGroups(
        paradigms, [&](const std::string& first, const std::vector<std::string>& rest) {
          models.push_back(first);
          models.insert(models.end(), rest.begin(), rest.end());
        });
    if (analysers.empty() || !read) {
      std::fprintf(stderr, "tarvek-lingc: %s\n", read ? error.c_str() : ("cannot read " + paradigms).c_str());
      return 1;
    }
    std::vector<std::string> words = tarvek::lingdata::readDicWords(dic);
    stems = words.size();
    if (!capitalisedNouns)
      std::erase_if(words, [](const std::string& w) { return engineWords->isCapitalOfAnEntry(w); });
    droppedStems += stems - words.size();
    const auto patterns = tarvek::lingdata::readPatterns(*analysers[0], models);
    for (const auto& [lemmaUtf8, utf8] : tarvek::lingdata::generateParadigms(words, patterns, workersOf(analysers))) {
      const std::string lemma = engineWord(lemmaUtf8);
      if (lemma.empty()) {
        ++droppedStems;
        continue;
      }
      auto& group = source.lemmas[lemma];
      for (const auto& f : utf8)
        if (const std::string w = engineWord(f); !w.empty() && group.insert(w).second) ++forms;
    }
  } else if (!aff.empty()) {
    tarvek::lingdata::AffixExpander expander;
    expander.setTwofold(twofold);
    std::string error;
    bool full = false;
    // For the joins of words the dictionary lists alone: its stems as the
    // engine writes them and as the dictionary does, and which are nouns
    // (English: a possessive) or inflect as plurals (German: -n and no -s).
    std::set<std::string> stemWords, nouns, written, plurals;
    // With analysis: every form the rules propose, each once (UTF-8).
    std::set<std::string> candidates;
    const bool loaded = expander.loadAffixes(aff, &error);
    // Read in the .aff's flag kind, so after it.
    expander.setDerivational(derivational);
    expander.setPaired(paired);
    expander.setMinAffixedStem(minAffixedStem);
    expander.setMinStemFor(shortStemFlags, minStemFor);
    expander.setDerivedTwofold(derivedTwofold);
    expander.setWaiveConditions(waive);
    expander.setApostrophes(apostrophes);
    const bool ok = loaded &&
                    expander.expand(dic, maxPerStem, [&](const std::string& stem, const std::set<std::string>& utf8) {
                      ++stems;
                      if (utf8.size() >= maxPerStem) ++cappedStems;
                      const std::string lemma = engineWord(stem);
                      if (lemma.empty() || full || (!capitalisedNouns && engineWords->isCapitalOfAnEntry(stem))) {
                        ++droppedStems;
                        return;
                      }
                      if (!join.empty() && utf8.count(stem)) {  // a word by itself
                        stemWords.insert(lemma);
                        written.insert(stem);
                        if (utf8.count(stem + "'s")) nouns.insert(lemma);
                        if ((utf8.count(stem + "n") || stem.back() == 'n') && !utf8.count(stem + "s")) plurals.insert(stem);
                      }
                      if (analyse) {
                        candidates.insert(stem);
                        candidates.insert(utf8.begin(), utf8.end());
                        return;
                      }
                      auto& group = source.lemmas[lemma];
                      for (const auto& f : utf8) {
                        const std::string w = engineWord(f);
                        if (!w.empty() && group.insert(w).second) ++forms;
                      }
                      full = forms >= maxForms;
                    }, &error);
    if (!ok) {
      std::fprintf(stderr, "tarvek-lingc: %s\n", error.c_str());
      return 1;
    }
    if (analyse) {
      const auto analysers = openAnalysers(aff, dic, &error);
      if (analysers.empty()) {
        std::fprintf(stderr, "tarvek-lingc: %s\n", error.c_str());
        return 1;
      }
      const std::vector<std::string> proposed(candidates.begin(), candidates.end());
      candidates.clear();
      for (const auto& [lemmaUtf8, utf8] :
           tarvek::lingdata::groupByAnalysis(proposed, workersOf(analysers), maxPerLemma)) {
        const std::string lemma = engineWord(lemmaUtf8);
        if (lemma.empty()) continue;
        auto& group = source.lemmas[lemma];
        for (const auto& f : utf8)
          if (const std::string w = engineWord(f); !w.empty() && group.insert(w).second) ++forms;
      }
    }
    std::vector<std::pair<std::string, std::string>> joins;
    if (join == "english") joins = tarvek::lingdata::englishJoins(stemWords, nouns);
    if (join == "italian") joins = tarvek::lingdata::italianJoins(stemWords);
    // The words the thesaurus enters are lemmas of their own (Blüte, Wüste).
    std::set<std::string> lemmaWords;
    if (join == "german" && !thesaurus.empty()) {
      std::set<std::string> heads;
      tarvek::lingdata::readThesaurus(thesaurus, [&](const std::string& head, const std::vector<std::string>&) {
        heads.insert(engineWord(head));
      });
      for (const auto& w : written)
        if (heads.count(engineWord(w))) lemmaWords.insert(w);
    }
    if (join == "german")
      for (const auto& [lemma, word] : tarvek::lingdata::germanJoins(written, plurals, lemmaWords))
        if (!engineWord(lemma).empty() && !engineWord(word).empty()) joins.emplace_back(engineWord(lemma), engineWord(word));
    if (join == "italian") tarvek::lingdata::moveParticiples(joins, &source.lemmas);
    // A German plural brings its own forms (Männer: Männern); an English
    // word has few.
    for (const auto& [lemma, word] : join == "italian" ? decltype(joins){} : joins) {
      std::set<std::string> joined{word};
      if (auto own = source.lemmas.find(word); join == "german" && own != source.lemmas.end())
        joined.insert(own->second.begin(), own->second.end());
      for (const auto& f : joined)
        if (source.lemmas[lemma].insert(f).second) ++forms;
    }
  }
  for (const auto& path : irregular) {
    const bool ok = tarvek::lingdata::readFormGroups(
        path, [&](const std::string& lemma, const std::vector<std::string>& forms) {
          tarvek::lingdata::addFormGroup(lemma, forms, engineWord, &source.lemmas);
        });
    if (!ok) {
      std::fprintf(stderr, "tarvek-lingc: cannot read %s\n", path.c_str());
      return 1;
    }
  }
  size_t heads = 0;
  if (!thesaurus.empty()) {
    const bool ok = tarvek::lingdata::readThesaurus(
        thesaurus, [&](const std::string& head, const std::vector<std::string>& synonyms) {
          // Multi-word head words and synonyms are left out: engineWord refuses the blank.
          const std::string key = engineWord(head);
          if (key.empty()) return;
          auto& group = source.synonyms[key];
          for (const auto& s : synonyms) {
            const std::string w = engineWord(s);
            if (!w.empty() && w != key) group.insert(w);
          }
          ++heads;
        });
    if (!ok) {
      std::fprintf(stderr, "tarvek-lingc: cannot read %s\n", thesaurus.c_str());
      return 1;
    }
  }

  if (headForms) tarvek::lingdata::lendSynonymsOfFormHeads(source.lemmas, &source.synonyms);

  const std::vector<uint8_t> bytes = tarvek::sbi::ling::buildLingData(static_cast<uint16_t>(language), source);
  if (bytes.size() > 0xFFFFFFFFu) {
    std::fprintf(stderr, "tarvek-lingc: the data outgrows 4 GB; lower --max-forms\n");
    return 1;
  }
  // Written beside the target and renamed, so a broken run leaves no half
  // file, and two trees building at once never write into one file.
  const std::string temporary = out + ".part" + std::to_string(getpid());
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
      std::fprintf(stderr, "tarvek-lingc: cannot write %s\n", temporary.c_str());
      return 1;
    }
  }
  std::filesystem::rename(temporary, out);
  std::printf("%s: %zu stems (%zu capped at %zu forms, %zu left out), %zu lemmas, %zu forms, %zu thesaurus words, "
              "%zu bytes\n",
              out.c_str(), stems, cappedStems, maxPerStem, droppedStems, source.lemmas.size(), forms, heads,
              bytes.size());
  return 0;
}
