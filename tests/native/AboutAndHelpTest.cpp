#include "host/AboutAndHelp.h"

#include <gtest/gtest.h>

#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/FakeHost.h"

namespace tarvek::host {
namespace {

class AboutAndHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables.core = viewer.core();
    tables.support = viewer.support();
    tables.pdModel = viewer.pdModel();
    tables.view = viewer.view();
  }
  void TearDown() override { EXPECT_EQ(viewer.heldPaths, 0); }
  void helpFile(const std::string& value) {
    fake.registry.writeString(Hive::localMachine, settings::kProductKey, settings::kHelpFile, value);
  }
  // The documents the viewer was asked to open.
  std::vector<std::string> opened() const {
    const std::string call = "AVDocOpenFromFile ";
    std::vector<std::string> paths;
    for (const std::string& line : viewer.calls)
      if (line.compare(0, call.size(), call) == 0) paths.push_back(line.substr(call.size()));
    return paths;
  }

  testing::FakeEnv fake;
  testing::FakeHost viewer;
  HostTables tables;
  const std::string defaultHelp = "C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\Plug_ins\\Tarvek\\TarvekPDFSearch.pdf";
};

TEST_F(AboutAndHelpTest, VersionTextFromTheModulesOwnVersion) {
  EXPECT_EQ(aboutVersionText(fake.module), "Ver.1.0.1.9");
  fake.module.setFileVersion(FileVersion{65535, 0, 12, 300});
  EXPECT_EQ(aboutVersionText(fake.module), "Ver.65535.0.12.300");
  fake.module.setFileVersion(std::nullopt);
  EXPECT_EQ(aboutVersionText(fake.module), "Ver.");
}

TEST_F(AboutAndHelpTest, DefaultDocumentBesideThePlugIn) {
  EXPECT_FALSE(openHelp(tables, fake.env)) << "no document, nothing opened";
  EXPECT_TRUE(opened().empty());
  fake.files.addFile(defaultHelp, "%PDF-1.4");
  EXPECT_TRUE(openHelp(tables, fake.env));
  EXPECT_EQ(opened(), (std::vector<std::string>{defaultHelp}));
}

TEST_F(AboutAndHelpTest, NamedDocumentWinsAndAMissingOneDoesNotFallBack) {
  fake.files.addFile(defaultHelp, "%PDF-1.4");
  fake.files.addFile("D:\\Docs\\Pomoc.pdf", "%PDF-1.4");
  helpFile("D:\\Docs\\Pomoc.pdf");
  EXPECT_TRUE(openHelp(tables, fake.env));
  helpFile("D:\\Docs\\Chyba.pdf");
  EXPECT_FALSE(openHelp(tables, fake.env));
  EXPECT_EQ(opened(), (std::vector<std::string>{"D:\\Docs\\Pomoc.pdf"}));
}

TEST_F(AboutAndHelpTest, OverlongOrUserOnlyValueGivesTheDefault) {
  const std::string longest = "D:\\" + std::string(252, 'x') + ".pdf";  // 259 characters
  helpFile(longest);
  EXPECT_EQ(helpDocumentPath(fake.env), longest);
  helpFile("D:\\" + std::string(253, 'x') + ".pdf");  // 260: no room for the terminator
  EXPECT_EQ(helpDocumentPath(fake.env), defaultHelp);
  fake.registry.deleteValue(Hive::localMachine, settings::kProductKey, settings::kHelpFile);
  fake.registry.writeString(Hive::currentUser, settings::kProductKey, settings::kHelpFile, "D:\\Docs\\Pomoc.pdf");
  EXPECT_EQ(helpDocumentPath(fake.env), defaultHelp);
  fake.registry.denyAccess(Hive::localMachine, settings::kProductKey);
  EXPECT_EQ(helpDocumentPath(fake.env), defaultHelp);
}

}  // namespace
}  // namespace tarvek::host
