#include "standins/lingdata/HunspellAnalyser.h"

#include <fstream>

#include <hunspell/hunspell.hxx>

namespace tarvek::lingdata {

std::unique_ptr<HunspellAnalyser> HunspellAnalyser::open(const std::string& aff, const std::string& dic,
                                                         std::string* error) {
  // Hunspell's constructor reports no failure: a missing file leaves an empty
  // dictionary that knows no word. So the files are checked first.
  for (const std::string& path : {aff, dic})
    if (!std::ifstream(path, std::ios::binary)) {
      *error = "cannot read " + path;
      return nullptr;
    }
  auto dictionary = std::make_unique<Hunspell>(aff.c_str(), dic.c_str());
  if (dictionary->get_dict_encoding() != "UTF-8") {
    *error = aff + " is in " + dictionary->get_dict_encoding() + ", not UTF-8: not analysed";
    return nullptr;
  }
  return std::unique_ptr<HunspellAnalyser>(new HunspellAnalyser(std::move(dictionary)));
}

HunspellAnalyser::HunspellAnalyser(std::unique_ptr<Hunspell> dictionary) : dictionary_(std::move(dictionary)) {}
HunspellAnalyser::~HunspellAnalyser() = default;

std::vector<std::string> HunspellAnalyser::analyze(const std::string& word) const {
  return dictionary_->analyze(word);
}

std::vector<std::string> HunspellAnalyser::generate(const std::string& lemma,
                                                    const std::vector<std::string>& analyses) const {
  return dictionary_->generate(lemma, analyses);
}

}  // namespace tarvek::lingdata
