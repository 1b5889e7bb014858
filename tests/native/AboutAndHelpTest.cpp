#include "host/AboutAndHelp.h"

#include <gtest/gtest.h>

#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"

namespace tarvek::host {
namespace {

// Just the viewer functions the help command calls, recording what it opened.
std::vector<std::string> g_opened;
int g_unreleasedPaths = 0;
ASAtom atomFromString(const char* text) { return std::string(text) == "Cstring" ? 1 : 2; }
ASFileSys defaultFileSys() { return reinterpret_cast<ASFileSys>(0x5); }
ASPathName createPath(ASFileSys, ASAtom type, const void* spec, const void*) {
  if (type != 1) return nullptr;
  ++g_unreleasedPaths;
  return reinterpret_cast<ASPathName>(new std::string(static_cast<const char*>(spec)));
}
void releasePath(ASFileSys, ASPathName path) {
  --g_unreleasedPaths;
  delete reinterpret_cast<std::string*>(path);
}
AVDoc openDoc(ASPathName path, ASFileSys, const char*) {
  g_opened.push_back(*reinterpret_cast<std::string*>(path));
  return reinterpret_cast<AVDoc>(0x7);
}

class AboutAndHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_opened.clear();
    core.ASAtomFromString = atomFromString;
    support.ASGetDefaultFileSys = defaultFileSys;
    support.ASFileSysCreatePathName = createPath;
    support.ASFileSysReleasePath = releasePath;
    view.AVDocOpenFromFile = openDoc;
    tables.core = &core;
    tables.support = &support;
    tables.view = &view;
  }
  void TearDown() override { EXPECT_EQ(g_unreleasedPaths, 0); }
  void helpFile(const std::string& value) {
    fake.registry.writeString(Hive::localMachine, settings::kProductKey, settings::kHelpFile, value);
  }

  testing::FakeEnv fake;
  CoreTable core{};
  AcroSupportTable support{};
  AcroViewTable view{};
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
  EXPECT_TRUE(g_opened.empty());
  fake.files.addFile(defaultHelp, "%PDF-1.4");
  EXPECT_TRUE(openHelp(tables, fake.env));
  EXPECT_EQ(g_opened, (std::vector<std::string>{defaultHelp}));
}

TEST_F(AboutAndHelpTest, NamedDocumentWinsAndAMissingOneDoesNotFallBack) {
  fake.files.addFile(defaultHelp, "%PDF-1.4");
  fake.files.addFile("D:\\Docs\\Pomoc.pdf", "%PDF-1.4");
  helpFile("D:\\Docs\\Pomoc.pdf");
  EXPECT_TRUE(openHelp(tables, fake.env));
  helpFile("D:\\Docs\\Chyba.pdf");
  EXPECT_FALSE(openHelp(tables, fake.env));
  EXPECT_EQ(g_opened, (std::vector<std::string>{"D:\\Docs\\Pomoc.pdf"}));
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
