// The catalogue files against the real registry and file system (Wine's).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/DatabaseFormat.h"
#include "catalogue/InstallerDatabase.h"
#include "catalogue/MappingFile.h"
#include "catalogue/MappingFormat.h"
#include "platform/WindowsPath.h"
#include "platform/win32/Win32Services.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "tests/win32/ScratchFolder.h"

namespace tarvek {
namespace {

// A scratch folder and a wiped product key for each test.
class CatalogueWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { wipeRegistry(); }
  void TearDown() override { wipeRegistry(); }
  void wipeRegistry() {
    ASSERT_TRUE(env.env().registry.deleteKeyTree(Hive::localMachine, settings::kProductKey));
    ASSERT_TRUE(env.env().registry.deleteKeyTree(Hive::currentUser, settings::kProductKey));
  }
  void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  std::string registryPath(Hive hive) {
    std::string value;
    env.env().registry.readString(hive, settings::kProductKey, settings::kActiveIndexesPath, &value);
    return value;
  }

  win32::Win32Env env{win32::currentModule()};
  testing::ScratchFolder scratch{"catalogue"};
  const std::string folder = scratch.path();
};

TEST_F(CatalogueWin32Test, ResolutionRewritesBothHives) {
  Registry& registry = env.env().registry;
  const std::string moduleDefault = path::folderOf(env.module().fileName()) + "\\tarvek.idb";
  ASSERT_TRUE(registry.writeString(Hive::localMachine, settings::kProductKey, settings::kActiveIndexesPath,
                                   "C:\\no\\such\\folder\\tarvek.idb"));
  ASSERT_TRUE(registry.writeString(Hive::currentUser, settings::kProductKey, settings::kActiveIndexesPath,
                                   folder + "\\user.idb"));
  ActiveIndexList fromUser(env.env());
  fromUser.resolveDatabasePath();
  EXPECT_EQ(fromUser.databasePath(), folder + "\\user.idb");
  EXPECT_EQ(registryPath(Hive::localMachine), folder + "\\user.idb");
  EXPECT_EQ(registryPath(Hive::currentUser), folder + "\\user.idb");

  ASSERT_TRUE(registry.writeString(Hive::localMachine, settings::kProductKey, settings::kActiveIndexesPath,
                                   "C:\\no\\such\\folder\\tarvek.idb"));
  ASSERT_TRUE(registry.writeString(Hive::currentUser, settings::kProductKey, settings::kActiveIndexesPath,
                                   std::string(270, 'x')));
  ActiveIndexList fallback(env.env());
  fallback.resolveDatabasePath();
  EXPECT_EQ(fallback.databasePath(), moduleDefault);
  EXPECT_EQ(registryPath(Hive::localMachine), moduleDefault);
  EXPECT_EQ(registryPath(Hive::currentUser), moduleDefault);
}

TEST_F(CatalogueWin32Test, SaveReplacesTheFileAndLoadsItBack) {
  const std::string database = folder + "\\tarvek.idb";
  ASSERT_EQ(createEmptyDatabase(env.env().files, database, nullptr), kDatabaseReady);
  EXPECT_EQ(readFile(database), serializeDatabase({}));
  ASSERT_TRUE(env.env().registry.writeString(Hive::localMachine, settings::kProductKey,
                                             settings::kActiveIndexesPath, database));
  ActiveIndexList list(env.env());
  list.loadDatabase();
  EXPECT_EQ(list.count(), 0);
  ActiveIndexEntry entry;
  entry.indexPath = "d:\\idx\\law.sbi";
  // Entries come only through addIndex; a saved file read back is the test.
  writeFile(database, serializeDatabase({entry, entry}));
  list.loadDatabase();
  ASSERT_EQ(list.count(), 2);
  list.removeEntry(0);
  ASSERT_TRUE(list.saveDatabase());
  EXPECT_EQ(readFile(database), serializeDatabase({entry}));
  EXPECT_EQ(GetFileAttributesA((database + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);

  // A database that is a folder cannot be replaced; the save says so.
  ASSERT_TRUE(env.env().registry.writeString(Hive::localMachine, settings::kProductKey,
                                             settings::kActiveIndexesPath, folder));
  ActiveIndexList onFolder(env.env());
  EXPECT_FALSE(onFolder.saveDatabase());
  EXPECT_EQ(createEmptyDatabase(env.env().files, folder, nullptr), kDatabaseCannotCreate);
}

TEST_F(CatalogueWin32Test, ScanFindsPdfFilesByPatternWithoutDuplicates) {
  const std::string pdfs = folder + "\\Pdf";
  ASSERT_TRUE(CreateDirectoryA(pdfs.c_str(), nullptr));
  writeFile(pdfs + "\\Listed.pdf", "listed");
  writeFile(pdfs + "\\NEW.PDF", "new");
  writeFile(pdfs + "\\notes.txt", "");
  writeFile(pdfs + "\\archive.pdf.bak", "");
  MappingContent content;
  content.version = kMappingVersion2;
  content.magic = kMappingMagic;
  content.folderList = {"$Here\\Pdf\\", folder + "\\Missing\\"};
  MappingEntry listed;
  listed.pdfPath = "$Here\\pdf\\LISTED.pdf";  // another letter case than on the disk
  listed.pageTopics = {1, 2};
  listed.pageCount = 2;
  content.entries = {listed};
  writeFile(folder + "\\law.sbf", serializeMapping(content));

  MappingFile mapping(env.env());
  ASSERT_TRUE(mapping.loadMapping(folder + "\\law.sbf"));
  ASSERT_EQ(mapping.count(), 2);
  EXPECT_EQ(mapping.entry(0)->pdfPath, folder + "\\pdf\\LISTED.pdf");
  EXPECT_EQ(mapping.entry(0)->fileSize, 6u);
  EXPECT_EQ(mapping.entry(1)->pdfPath, pdfs + "\\NEW.PDF");
  EXPECT_EQ(mapping.entry(1)->fileSize, 3u);
  EXPECT_EQ(mapping.findTopic(2), 1);
}

TEST_F(CatalogueWin32Test, ModifiedIsTheLocalTimeOfTheLastWrite) {
  const std::string pdf = folder + "\\a.pdf";
  writeFile(pdf, "x");
  HANDLE file = CreateFileA(pdf.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SYSTEMTIME utc = {2021, 7, 0, 14, 22, 45, 30, 0};
  FILETIME written;
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &written));
  ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
  CloseHandle(file);
  FILETIME localFileTime;
  SYSTEMTIME expected;
  ASSERT_TRUE(FileTimeToLocalFileTime(&written, &localFileTime));
  ASSERT_TRUE(FileTimeToSystemTime(&localFileTime, &expected));

  MappingContent content;
  content.version = kMappingVersion1;
  MappingEntry entry;
  entry.pdfPath = pdf;
  entry.fileSize = 999;
  content.entries = {entry};
  writeFile(folder + "\\law.sbf", serializeMapping(content));
  MappingFile mapping(env.env());
  ASSERT_TRUE(mapping.loadMapping(folder + "\\law.sbf"));
  const SystemTime& modified = mapping.entry(0)->modified;
  EXPECT_EQ(modified.year, expected.wYear);
  EXPECT_EQ(modified.month, expected.wMonth);
  EXPECT_EQ(modified.day, expected.wDay);
  EXPECT_EQ(modified.dayOfWeek, expected.wDayOfWeek);
  EXPECT_EQ(modified.hour, expected.wHour);
  EXPECT_EQ(modified.minute, 45);
  EXPECT_EQ(modified.second, 30);
  EXPECT_EQ(mapping.entry(0)->fileSize, 1u);
}

}  // namespace
}  // namespace tarvek
