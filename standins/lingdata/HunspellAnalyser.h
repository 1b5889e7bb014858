#pragma once
// hunspell's own analysis of a language's dictionary (libhunspell), for the
// data compiler: it knows what no expansion of the affix rules reproduces
// (hu_HU's twofold suffixes and allomorph stems, "házat" of ház). Build-time
// only: neither the engine nor anything of the Win32 tree links it.

#include <memory>
#include <string>
#include <vector>

class Hunspell;

namespace tarvek::lingdata {

// What the compiler asks of an analyser; tests give it their own.
class WordAnalyser {
 public:
  virtual ~WordAnalyser() = default;
  // hunspell's analyses of a UTF-8 word (Morphology.h), UTF-8; none when the
  // dictionary does not know it.
  virtual std::vector<std::string> analyze(const std::string& word) const = 0;
  // The forms of `lemma` that hunspell makes with the inflections of the
  // given analyses (Hunspell::generate); none when it makes none.
  virtual std::vector<std::string> generate(const std::string& lemma, const std::vector<std::string>& analyses) const = 0;
};

// Owns one loaded dictionary. Not safe to share between threads: open one
// per thread.
class HunspellAnalyser final : public WordAnalyser {
 public:
  // Null, with the reason, when either file cannot be read or the
  // dictionary's encoding (SET) is one iconv cannot convert. Words and
  // analyses are UTF-8 either way: a dictionary in ISO 8859-2 (pl_PL) is
  // spoken to in its own encoding.
  static std::unique_ptr<HunspellAnalyser> open(const std::string& aff, const std::string& dic, std::string* error);
  ~HunspellAnalyser() override;
  HunspellAnalyser(const HunspellAnalyser&) = delete;
  HunspellAnalyser& operator=(const HunspellAnalyser&) = delete;

  std::vector<std::string> analyze(const std::string& word) const override;
  std::vector<std::string> generate(const std::string& lemma, const std::vector<std::string>& analyses) const override;
  // hunspell's stems of a UTF-8 word (Hunspell::stem), UTF-8.
  std::vector<std::string> stem(const std::string& word) const;

 private:
  class Converter;
  HunspellAnalyser(std::unique_ptr<Hunspell> dictionary, std::unique_ptr<Converter> toDictionary,
                   std::unique_ptr<Converter> fromDictionary);
  std::string toDictionary(const std::string& utf8) const;
  std::vector<std::string> fromDictionary(std::vector<std::string> texts) const;
  std::unique_ptr<Hunspell> dictionary_;
  std::unique_ptr<Converter> toDictionary_, fromDictionary_;  // null: the dictionary is UTF-8
};

}  // namespace tarvek::lingdata
