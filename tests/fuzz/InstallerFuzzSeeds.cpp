// Writes seeds for fuzz_versioninfo into the folder given: version blocks for
// 32-bit Windows and another system, and a few version texts.
#include <fstream>
#include <string>

#include "tests/native/FakeInstallerServices.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string folder = argv[1];
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
  };
  using tarvek::testing::version;
  using tarvek::testing::versionBlock;
  write("windows32", versionBlock(version(6, 0, 1, 2)));
  write("os2", versionBlock(version(1, 0), 0x00020000));
  write("text-short", "5.0");
  write("text-long", "999.1.65535.0");
  return 0;
}
