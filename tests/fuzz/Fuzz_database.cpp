// Feeds any bytes to the database reader, directly and through the list's
// load, and checks that what it keeps survives a save unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/DatabaseFormat.h"
#include "catalogue/InstallerDatabase.h"
#include "tests/fakes/FakeServices.h"

using namespace tarvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  DatabaseContent content;
  const ParseReport report = parseDatabase(bytes, &content);
  if (report.offset > size) std::abort();

  DatabaseContent again;
  if (!parseDatabase(serializeDatabase(content.entries), &again).whole() || again.entries != content.entries)
    std::abort();

  testing::FakeEnv env;
  env.files.addFile("C:\\Data\\tarvek.idb", bytes);
  env.registry.writeString(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "ActiveIndexesPath",
                           "C:\\Data\\tarvek.idb");
  ActiveIndexList list(env.env);
  list.loadDatabase();
  if (list.count() != static_cast<int>(content.entries.size())) std::abort();
  for (int i = 0; i < list.count(); ++i) {
    list.setCurrent(i);
    list.entryStatus();
    list.findByFileName(list.entry(i).indexPath);
  }
  isValidDatabase(env.files, "C:\\Data\\tarvek.idb");
  if (!list.saveDatabase()) std::abort();
  return 0;
}
