// The settings rules against the real registry (Wine's), both hives.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/Win32Registry.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek::settings {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { wipe(); }
  void TearDown() override { wipe(); }
  void wipe() {
    ASSERT_TRUE(registry.deleteKeyTree(Hive::localMachine, kProductKey));
    ASSERT_TRUE(registry.deleteKeyTree(Hive::currentUser, kProductKey));
  }
  // Stores raw bytes as a REG_SZ value, terminator or not, as other tools may.
  void putRaw(HKEY root, const std::string& name, const std::string& bytes, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  win32::Win32Registry registry;
  Settings settings{registry};
};

TEST_F(RegistryTest, WrittenTextReadsBack) {
  ASSERT_TRUE(settings.writeProductText(Hive::localMachine, kActiveIndexesPath, "C:\\Tarvek\\tarvek.idb"));
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kActiveIndexesPath), "C:\\Tarvek\\tarvek.idb");
  ASSERT_TRUE(settings.writeProductText(Hive::currentUser, kUserName, "Ján Ďurík"));
  EXPECT_EQ(settings.readProductText(Hive::currentUser, kUserName), "Ján Ďurík");
}

TEST_F(RegistryTest, MachineFirstThenUser) {
  ASSERT_TRUE(settings.writeProductText(Hive::currentUser, kActiveIndexesPath, "u.idb"));
  EXPECT_EQ(settings.readMachineThenUser(kActiveIndexesPath), "u.idb");
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");
  ASSERT_TRUE(settings.writeProductText(Hive::localMachine, kActiveIndexesPath, "m.idb"));
  EXPECT_EQ(settings.readMachineThenUser(kActiveIndexesPath), "m.idb");
}

TEST_F(RegistryTest, LengthLimitCountsTheTerminator) {
  putRaw(HKEY_LOCAL_MACHINE, kHelpFile, std::string(259, 'h') + '\0');
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), std::string(259, 'h'));
  putRaw(HKEY_LOCAL_MACHINE, kHelpFile, std::string(259, 'h'));  // stored without terminator
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), std::string(259, 'h'));
  putRaw(HKEY_LOCAL_MACHINE, kHelpFile, std::string(260, 'h'));  // no room left for one
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");
  putRaw(HKEY_LOCAL_MACHINE, kHelpFile, std::string(300, 'h') + '\0');
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");
}

TEST_F(RegistryTest, WrongTypesReadAsNothing) {
  const DWORD number = 5;
  putRaw(HKEY_LOCAL_MACHINE, kHelpFile, std::string(reinterpret_cast<const char*>(&number), 4), REG_DWORD);
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");
  ASSERT_TRUE(settings.writeUserText(kSearchHistoryKey, searchEditValueName(0), "slovo"));
  EXPECT_FALSE(settings.readUserNumber(kSearchHistoryKey, searchEditValueName(0)).has_value());
}

TEST_F(RegistryTest, PerUserNumbersAndSubkeyCreation) {
  EXPECT_FALSE(settings.readUserNumber(kSearchColumnKey, columnValueName(2, ColumnField::width)).has_value());
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSearchColumnKey, 0, KEY_READ, &key), ERROR_SUCCESS)
      << "reading creates the subkey";
  if (key) RegCloseKey(key);
  ASSERT_TRUE(settings.writeUserNumber(kSearchColumnKey, columnValueName(2, ColumnField::width), 0xFFFFFFFF));
  EXPECT_EQ(settings.readUserNumber(kSearchColumnKey, columnValueName(2, ColumnField::width)), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace tarvek::settings
