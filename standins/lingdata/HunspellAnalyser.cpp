#include "standins/lingdata/HunspellAnalyser.h"

#include <iconv.h>

#include <cerrno>

#include <fstream>

#include <hunspell/hunspell.hxx>

namespace tarvek::lingdata {

// One iconv conversion, closed with the object.
class HunspellAnalyser::Converter {
 public:
  static std::unique_ptr<Converter> open(const std::string& to, const std::string& from) {
    const iconv_t handle = iconv_open(to.c_str(), from.c_str());
    if (handle == reinterpret_cast<iconv_t>(-1)) return nullptr;
    return std::unique_ptr<Converter>(new Converter(handle));
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // What cannot be converted is left out: such a word is no dictionary word.
  std::string convert(const std::string& text) const {
    std::string out(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* at = out.data();
    size_t outLeft = out.size();
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0 && iconv(handle_, &in, &inLeft, &at, &outLeft) == static_cast<size_t>(-1)) {
      if (errno != EILSEQ && errno != EINVAL) break;
      ++in;  // skip the byte that does not convert
      --inLeft;
    }
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  explicit Converter(iconv_t handle) : handle_(handle) {}
  iconv_t handle_;
};

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
  const std::string encoding = dictionary->get_dict_encoding();
  std::unique_ptr<Converter> to, from;
  if (encoding != "UTF-8") {
    to = Converter::open(encoding, "UTF-8");
    from = Converter::open("UTF-8", encoding);
    if (!to || !from) {
      *error = aff + " is in " + encoding + ", which cannot be converted: not analysed";
      return nullptr;
    }
  }
  return std::unique_ptr<HunspellAnalyser>(new HunspellAnalyser(std::move(dictionary), std::move(to), std::move(from)));
}

HunspellAnalyser::HunspellAnalyser(std::unique_ptr<Hunspell> dictionary, std::unique_ptr<Converter> toDictionary,
                                   std::unique_ptr<Converter> fromDictionary)
    : dictionary_(std::move(dictionary)),
      toDictionary_(std::move(toDictionary)),
      fromDictionary_(std::move(fromDictionary)) {}
HunspellAnalyser::~HunspellAnalyser() = default;

std::string HunspellAnalyser::toDictionary(const std::string& utf8) const {
  return toDictionary_ ? toDictionary_->convert(utf8) : utf8;
}

std::vector<std::string> HunspellAnalyser::fromDictionary(std::vector<std::string> texts) const {
  if (fromDictionary_)
    for (auto& text : texts) text = fromDictionary_->convert(text);
  return texts;
}

std::vector<std::string> HunspellAnalyser::analyze(const std::string& word) const {
  return fromDictionary(dictionary_->analyze(toDictionary(word)));
}

std::vector<std::string> HunspellAnalyser::stem(const std::string& word) const {
  return fromDictionary(dictionary_->stem(toDictionary(word)));
}

std::vector<std::string> HunspellAnalyser::generate(const std::string& lemma,
                                                    const std::vector<std::string>& analyses) const {
  std::vector<std::string> patterns;
  for (const auto& a : analyses) patterns.push_back(toDictionary(a));
  return fromDictionary(dictionary_->generate(toDictionary(lemma), patterns));
}

}  // namespace tarvek::lingdata
