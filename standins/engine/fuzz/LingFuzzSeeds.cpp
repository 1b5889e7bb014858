// Writes the seed corpus of fuzz_ling: small valid linguistic data files.
//   ling_fuzz_seeds DIR
#include <fstream>
#include <string>

#include "standins/engine/LingWriter.h"

using tarvek::sbi::ling::buildLingData;
using tarvek::sbi::ling::LingSource;

namespace {

void write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  const std::string dir = argv[1];
  write(dir + "/empty.tld", buildLingData(0, LingSource{}));

  LingSource small;
  small.lemmas["kniha"] = {"knihy", "knihou"};
  small.lemmas["by\x9d"] = {"som", "si"};  // "byť" in code page 1250
  small.lemmas["byt"] = {"bytu", "byty"};
  small.synonyms["kniha"] = {"publik\xE1" "cia", "zv\xE4zok"};
  write(dir + "/small.tld", buildLingData(0, small));

  // Hungarian, whose compounds are split: "eszköztáron" before "táron".
  LingSource hungarian;
  hungarian.lemmas["t\xE1r"] = {"t\xE1ron", "t\xE1rat"};
  hungarian.lemmas["\xE1r"] = {"\xE1ron"};
  write(dir + "/hungarian.tld", buildLingData(5, hungarian));

  // Several blocks in every map.
  LingSource blocks;
  for (int i = 0; i < 300; ++i) {
    const std::string lemma = "w" + std::to_string(1000 + i);
    blocks.lemmas[lemma] = {lemma + "x", lemma + "\xE1"};
    blocks.synonyms[lemma] = {"w" + std::to_string(1300 + i)};
  }
  write(dir + "/blocks.tld", buildLingData(0, blocks));
  write(dir + "/blocks-de.tld", buildLingData(4, blocks));
  return 0;
}
