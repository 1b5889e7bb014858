// Writes the seed corpus of fuzz_sbi: small valid indexes.
//   sbi_fuzz_seeds DIR
#include <cstdint>
#include <fstream>
#include <string>

#include "standins/engine/SbiWriter.h"

using tarvek::sbi::IndexBuilder;

namespace {

void write(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  const std::string dir = argv[1];
  IndexBuilder empty;
  write(dir + "/empty.sbi", empty.build());

  IndexBuilder small;
  small.setName("Seed");
  small.setExcludedWords({"a", "na"});
  small.beginPage(1);
  small.addText("kniha a pero na stole");
  small.beginPage(7);
  small.addText("voda v lese, kniha o vode, m\xE4so");
  small.beginPage(9);
  write(dir + "/small.sbi", small.build());
  // The same with a lemma section, which the lemmatized queries read.
  small.setLemmaJoins({{"kniha", {"kniha", "knihy"}}, {"voda", {"vode", "vody"}}, {"pero", {"pera"}}});
  write(dir + "/lemmas.sbi", small.build());

  // Two dictionary blocks and two chunks of topic ids.
  IndexBuilder blocks;
  for (uint32_t page = 0; page < 4100; ++page) {
    blocks.beginPage(page + 1);
    if (page % 20 == 0) blocks.addWord("w" + std::to_string(100 + page / 20));
  }
  write(dir + "/blocks.sbi", blocks.build());
  return 0;
}
