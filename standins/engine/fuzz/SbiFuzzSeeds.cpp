// Writes the seed corpus of fuzz_sbi: small valid indexes.
//   sbi_fuzz_seeds DIR
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
  return 0;
}
