#include "settings/Settings.h"

#include <gtest/gtest.h>

#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeRegistry.h"

namespace tarvek::settings {
namespace {

using testing::FakeRegistry;

class SettingsTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  Settings settings{registry};
};

TEST_F(SettingsTest, ValueThatFillsTheBufferReadsAsEmpty) {
  registry.writeString(Hive::localMachine, kProductKey, kHelpFile, std::string(259, 'a'));
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), std::string(259, 'a'));
  for (size_t length : {260u, 300u, 70000u}) {
    registry.writeString(Hive::localMachine, kProductKey, kHelpFile, std::string(length, 'a'));
    EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "") << length;
  }
}

TEST_F(SettingsTest, UnreadableValuesReadAsEmptyText) {
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");  // no key at all
  registry.createKey(Hive::localMachine, kProductKey);
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");  // no value
  registry.writeNumber(Hive::localMachine, kProductKey, kHelpFile, 7);
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");  // wrong type
  registry.put(Hive::localMachine, kProductKey, kUserName, {FakeRegistry::Type::binary, "bin", 0});
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kUserName), "");
  registry.writeString(Hive::currentUser, kProductKey, kActiveIndexesPath, "x");
  registry.denyAccess(Hive::currentUser, kProductKey);
  EXPECT_EQ(settings.readProductText(Hive::currentUser, kActiveIndexesPath), "");  // key cannot be opened
}

TEST_F(SettingsTest, EmbeddedTerminatorEndsTheText) {
  registry.writeString(Hive::localMachine, kProductKey, kHelpFile, std::string("c:\\help.pdf\0junk", 16));
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "c:\\help.pdf");
}

TEST_F(SettingsTest, MachineHiveWinsAndUserHiveFillsIn) {
  registry.writeString(Hive::currentUser, kProductKey, kActiveIndexesPath, "u:\\tarvek.idb");
  EXPECT_EQ(settings.readMachineThenUser(kActiveIndexesPath), "u:\\tarvek.idb");
  registry.writeString(Hive::localMachine, kProductKey, kActiveIndexesPath, "m:\\tarvek.idb");
  EXPECT_EQ(settings.readMachineThenUser(kActiveIndexesPath), "m:\\tarvek.idb");
  // An over-long machine value counts as empty, so the user value is used.
  registry.writeString(Hive::localMachine, kProductKey, kActiveIndexesPath, std::string(260, 'm'));
  EXPECT_EQ(settings.readMachineThenUser(kActiveIndexesPath), "u:\\tarvek.idb");
}

TEST_F(SettingsTest, MachineOnlyValueIgnoresTheUserHive) {
  registry.writeString(Hive::currentUser, kProductKey, kHelpFile, "u:\\help.pdf");
  EXPECT_EQ(settings.readProductText(Hive::localMachine, kHelpFile), "");
}

TEST_F(SettingsTest, PerUserSubkeysAreCreatedOnEveryUse) {
  EXPECT_FALSE(settings.readUserNumber(kSearchHistoryKey, kNearValue).has_value());
  EXPECT_TRUE(registry.keyExists(Hive::currentUser, kSearchHistoryKey));
  ASSERT_TRUE(settings.writeUserNumber(kSearchColumnKey, columnValueName(3, ColumnField::width), 120));
  EXPECT_EQ(settings.readUserNumber(kSearchColumnKey, "column3_WIDTH"), 120u);
  ASSERT_TRUE(settings.writeUserText(kSearchHistoryKey, searchEditValueName(0), "zákon"));
  EXPECT_EQ(settings.readUserText(kSearchHistoryKey, "SearchEdit0"), "zákon");
  // A text where a number belongs is no number.
  EXPECT_FALSE(settings.readUserNumber(kSearchHistoryKey, "SearchEdit0").has_value());
}

TEST_F(SettingsTest, ReadingAPerUserTextCreatesItsKeyAsANumberDoes) {
  EXPECT_EQ(settings.readUserText(kSearchColumnKey, "Column0_Width"), "");
  EXPECT_TRUE(registry.keyExists(Hive::currentUser, kSearchColumnKey));
}

TEST_F(SettingsTest, FailedWritesAreReported) {
  registry.failWrites(Hive::localMachine);
  EXPECT_FALSE(settings.writeProductText(Hive::localMachine, kActiveIndexesPath, "x"));
  EXPECT_TRUE(settings.writeProductText(Hive::currentUser, kActiveIndexesPath, "x"));
  registry.denyAccess(Hive::currentUser, kSearchHistoryKey);
  EXPECT_FALSE(settings.writeUserNumber(kSearchHistoryKey, kNearValue, 8));
  EXPECT_FALSE(settings.readUserNumber(kSearchHistoryKey, kNearValue).has_value());
}

TEST(RegistryLayout, ValueNamesFollowTheirPatterns) {
  EXPECT_EQ(searchEditValueName(12), "SearchEdit12");
  EXPECT_EQ(operatorValueName(0), "Operator0");
  EXPECT_EQ(columnValueName(0, ColumnField::visible), "Column0_Visible");
  EXPECT_EQ(columnValueName(8, ColumnField::sort), "Column8_Sort");
}

}  // namespace
}  // namespace tarvek::settings
