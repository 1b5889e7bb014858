// The medium check, viewer detection, space figures and the wizard's rules.

#include <gtest/gtest.h>

#include "installer/DiskFigures.h"
#include "installer/MediumCheck.h"
#include "installer/ViewerDetection.h"
#include "installer/WizardRules.h"
#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/FakeInstallerServices.h"

namespace tarvek::installer {
namespace {

using testing::version;

class MediumTest : public ::testing::Test {
 protected:
  MediumTest() {
    config.title = "T";
    config.filesPath = "PLUGIN\\";
    config.fileNames = {"query.API", "vovar_av.dll"};
    config.minVersion = version(5, 0);
    env.files.addFile("D:\\PLUGIN\\query.API", std::string(2048, 'q'));
    env.files.addFile("D:\\PLUGIN\\vovar_av.dll", std::string(1023, 'v'));
    env.files.addFile("D:\\ZaZiruDA.exe", "u");
    services.setVersion("D:\\PLUGIN\\query.API", version(1, 0, 1, 9));
    services.setVersion("D:\\ZaZiruDA.exe", version(1, 0));
  }
  MediumCheck check() { return checkMedium(env.files, env.registry, services, config, "D:\\"); }

  testing::FakeEnv env;
  testing::FakeInstallerServices services;
  InstallerConfig config;
};

TEST_F(MediumTest, ACompleteMediumGivesRequiredSpaceAndVersions) {
  const MediumCheck c = check();
  ASSERT_TRUE(c.ok) << c.failedPath;
  EXPECT_EQ(c.requiredKb, 3u + 1u);  // 2048 bytes count 3 kB, 1023 bytes 1 kB
  EXPECT_EQ(c.pluginVersion.fileLeast, 1u << 16 | 9u);
  EXPECT_EQ(c.uninstallerVersion.productMost, 1u << 16);
  EXPECT_TRUE(c.userName.empty());
}

TEST_F(MediumTest, EachMissingPieceNamesItsPath) {
  env.files.denyRead("D:\\PLUGIN\\vovar_av.dll");
  EXPECT_EQ(check().failedPath, "D:\\PLUGIN\\vovar_av.dll");
  config.fileNames = {"query.API", "missing.dll"};
  EXPECT_EQ(check().failedPath, "D:\\PLUGIN\\missing.dll");
  config.fileNames = {"query.API"};

  services.setVersionBlock("D:\\PLUGIN\\query.API", "");
  MediumCheck c = check();
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.failedPath, "D:\\PLUGIN\\query.API");
  services.setVersion("D:\\PLUGIN\\query.API", version(1, 0));

  config.licenceName = "LICENCIA.TXT";
  EXPECT_EQ(check().failedPath, "D:\\LICENCIA.TXT");
  env.files.addFolder("D:\\LICENCIA.TXT");
  EXPECT_EQ(check().failedPath, "D:\\LICENCIA.TXT");
  config.licenceName = "EULA\\SK.TXT";  // relative to the medium, not to TARVEK_PATH
  env.files.addFile("D:\\EULA\\SK.TXT", "licence");
  EXPECT_TRUE(check().ok);

  services.setVersionBlock("D:\\ZaZiruDA.exe", "");
  c = check();
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.failedPath, "D:\\ZaZiruDA.exe");
}

TEST_F(MediumTest, TheFullVariantPresetsNameAndCompanyFromTheMachine) {
  config.fullVersion = "1";
  services.setVersion("D:\\PLUGIN\\TarvekPDF.API", version(1, 0));
  env.registry.writeString(Hive::localMachine, settings::kProductKey, "Name", "Ján");
  env.registry.writeString(Hive::currentUser, settings::kProductKey, "Company", "Kelbo");
  const MediumCheck c = check();
  ASSERT_TRUE(c.ok) << c.failedPath;
  EXPECT_EQ(c.userName, "Ján");
  EXPECT_EQ(c.company, "");
}

class DetectionTest : public ::testing::Test {
 protected:
  DetectionTest() {
    config.minVersion = version(5, 0);
    config.fileNames = {"query.API"};
  }
  void reader(Hive hive, unsigned v, const std::string& folder) {
    env.registry.writeString(hive, "Software\\Adobe\\Acrobat Reader\\" + std::to_string(v) + ".0\\InstallPath", "",
                             folder);
  }
  void acrobat(Hive hive, unsigned v, const std::string& folder) {
    env.registry.writeString(hive, "Software\\Adobe\\Adobe Acrobat\\" + std::to_string(v) + ".0\\InstallPath", "",
                             folder);
  }
  void associate(const std::string& command) {
    env.registry.writeString(Hive::classesRoot, ".pdf", "", "AcroExch.Document");
    env.registry.writeString(Hive::classesRoot, "AcroExch.Document\\shell\\open\\command", "", command);
  }
  ViewerDetection detect() { return detectViewers(env.registry, env.codePage, services, config); }

  testing::FakeEnv env;
  testing::FakeInstallerServices services;
  InstallerConfig config;
};

TEST_F(DetectionTest, ListsEachInstallationOnceInKeyOrderUserBeforeMachine) {
  services.setVersion("C:\\R6\\AcroRd32.exe", version(6, 0, 1));
  services.setVersion("C:\\R5\\AcroRd32.exe", version(5, 10));
  services.setVersion("C:\\R6\\Acrobat.exe", version(6, 2));
  reader(Hive::localMachine, 6, "C:\\R6");      // no trailing backslash
  reader(Hive::currentUser, 6, "c:\\r6\\");     // the same folder, another case
  reader(Hive::localMachine, 5, "C:\\R5\\");
  reader(Hive::localMachine, 7, "C:\\R6\\");    // the same folder under another version
  acrobat(Hive::localMachine, 6, "C:\\R6\\");   // Acrobat beside Reader: its own line
  const ViewerDetection d = detect();
  ASSERT_EQ(d.installations.size(), 3u);
  EXPECT_EQ(d.installations[0].folder, "C:\\R5\\");
  EXPECT_EQ(d.installations[1].folder, "c:\\r6\\");  // the user hive came first
  EXPECT_TRUE(d.installations[1].isReader);
  EXPECT_EQ(d.installations[2].folder, "C:\\R6\\");
  EXPECT_FALSE(d.installations[2].isReader);
  EXPECT_EQ(d.installations[2].programVersion.productMinor(), 2);
  EXPECT_EQ(d.associationIndex, -1);
  EXPECT_EQ(d.defaultIndex, 0);
}

TEST_F(DetectionTest, RefusesOldOrUnreadableProgramsAndBadFolders) {
  config.minVersion = version(6, 1);
  services.setVersion("C:\\OLD\\AcroRd32.exe", version(6, 0, 99));
  services.setVersion("C:\\NEW\\AcroRd32.exe", version(6, 1));
  reader(Hive::localMachine, 6, "C:\\OLD\\");
  reader(Hive::localMachine, 7, "C:\\NONE\\");
  reader(Hive::localMachine, 8, "C:\\NEW\\");
  reader(Hive::localMachine, 5, "C:\\NEW\\");  // below the minimum's major: not asked
  reader(Hive::localMachine, 9, std::string(300, 'x'));
  reader(Hive::currentUser, 9, "C:\\" + std::string(250, 'y'));
  const ViewerDetection d = detect();
  ASSERT_EQ(d.installations.size(), 1u);
  EXPECT_EQ(d.installations[0].folder, "C:\\NEW\\");
}

TEST_F(DetectionTest, TheFullVariantOffersAcrobatOnlyAndLooksForItsOwnPlugIn) {
  config.fullVersion = "1";
  services.setVersion("C:\\R\\AcroRd32.exe", version(6, 0));
  services.setVersion("C:\\A\\Acrobat.exe", version(6, 0));
  services.setVersion("C:\\A\\Plug_ins\\Tarvek\\query.API", version(1, 0));
  services.setVersion("C:\\A\\Plug_ins\\Tarvek\\TarvekPDF.API", version(2, 3, 4, 5));
  reader(Hive::localMachine, 6, "C:\\R\\");
  acrobat(Hive::localMachine, 6, "C:\\A\\");
  const ViewerDetection d = detect();
  ASSERT_EQ(d.installations.size(), 1u);
  EXPECT_TRUE(d.installations[0].pluginInstalled);
  EXPECT_EQ(d.installations[0].pluginVersion.productLeast, 4u << 16 | 5u);
}

TEST_F(DetectionTest, KeepsTheFirstTenInstallations) {
  for (unsigned v = 5; v <= 9; ++v) {
    for (const char* kind : {"R", "A"}) {
      for (Hive hive : {Hive::currentUser, Hive::localMachine}) {
        const std::string folder = std::string("C:\\") + kind + std::to_string(v) +
                                   (hive == Hive::currentUser ? "u" : "m") + "\\";
        services.setVersion(folder + (kind[0] == 'R' ? "AcroRd32.exe" : "Acrobat.exe"), version(v, 0));
        if (kind[0] == 'R') reader(hive, v, folder);
        else acrobat(hive, v, folder);
      }
    }
  }
  const ViewerDetection d = detect();
  ASSERT_EQ(d.installations.size(), kMaxViewerInstallations);
  EXPECT_EQ(d.installations.back().folder, "C:\\R9m\\");  // ten Readers come first; no Acrobat fits
}

TEST_F(DetectionTest, TheAssociationPicksTheDefaultWhenThereIsAChoice) {
  services.setVersion("C:\\Program Files\\R\\AcroRd32.exe", version(6, 0));
  services.setVersion("C:\\Program Files\\A\\Acrobat.exe", version(6, 0));
  reader(Hive::localMachine, 6, "C:\\Program Files\\R\\");
  associate("\"c:\\program files\\a\\ACROBAT.EXE\" \"%1\"");
  ViewerDetection d = detect();
  EXPECT_EQ(d.associationIndex, -1);  // only one installation: it is the default
  EXPECT_EQ(d.defaultIndex, 0);

  acrobat(Hive::localMachine, 6, "C:\\Program Files\\A\\");
  d = detect();
  EXPECT_EQ(d.associationIndex, 1);
  EXPECT_EQ(d.defaultIndex, 1);

  associate("  C:\\Q\\..\\R\\AcroRd32.exe /p");  // unquoted: up to the blank, made full
  EXPECT_EQ(pdfProgram(env.registry, services), "C:\\R\\AcroRd32.exe");
  associate("\"C:\\Program Files\\A\\Acrobat.exe %1");  // no closing quote
  EXPECT_EQ(detect().associationIndex, -1);
  EXPECT_EQ(detect().defaultIndex, 0);
  associate("C:\\Program Files\\A\\Acrobat.exe");  // cut at the blank: another program
  EXPECT_EQ(detect().associationIndex, -1);
}

TEST_F(DetectionTest, OneInstallationIsTheDefaultEvenWhenAnotherProgramOpensPdf) {
  services.setVersion("C:\\R\\AcroRd32.exe", version(6, 0));
  reader(Hive::localMachine, 6, "C:\\R\\");
  associate("\"C:\\R\\AcroRd32.exe\" \"%1\"");
  const ViewerDetection d = detect();
  EXPECT_EQ(d.associationIndex, 0);
  EXPECT_EQ(d.defaultIndex, 0);
  EXPECT_FALSE(asksAboutDefault(d, 0));
}

TEST(DiskFiguresTest, FreeSpaceIsComputedWithoutWrappingAndHeldAtTheLargest32BitValue) {
  testing::FakeInstallerServices services;
  services.setDisk('C', {8, 512, 1000});  // 4 kB clusters
  EXPECT_EQ(freeKilobytes(services, 'C'), 4000u);
  services.setDisk('A', {1, 512, 1441});  // a diskette's 512-byte clusters: half a kilobyte each
  EXPECT_EQ(freeKilobytes(services, 'A'), 720u);
  services.setDisk('E', {8, 512, 0x20000000});  // 2 TiB free: 2^32 half-kilobytes
  EXPECT_EQ(freeKilobytes(services, 'E'), 0x80000000u);
  services.setDisk('G', {128, 4096, 0xFFFFFFFF});  // far beyond 4 TiB
  EXPECT_EQ(freeKilobytes(services, 'G'), 0xFFFFFFFFu);
  services.setDisk('F', {1, 256, 1000});  // sectors below 512 bytes count nothing
  EXPECT_EQ(freeKilobytes(services, 'F'), 0u);
  EXPECT_EQ(freeKilobytes(services, 'D'), 0u);
  EXPECT_EQ(freeKilobytes(services, '?'), 0u);
}

TEST(DiskFiguresTest, DrivesAndMegabyteTexts) {
  EXPECT_EQ(driveOf("c:\\x\\"), 'C');
  EXPECT_EQ(driveOf("\\\\server\\share\\"), '?');
  EXPECT_EQ(driveOf("C:x"), '?');
  EXPECT_EQ(driveOf("1:\\"), '?');
  EXPECT_EQ(megabytesOf(1023).whole, 0u);
  EXPECT_EQ(megabytesOf(1023).hundredths, 99u);
  EXPECT_EQ(megabytesOf(2048 + 512).hundredths, 50u);
  EXPECT_EQ(freeSpaceText("Na disku %c: je k dispozícii %lu,%02u MB.", 'C', 1024 * 5 + 10),
            "Na disku C: je k dispozícii 5,00 MB.");
  EXPECT_EQ(freeSpaceText("%lu,%02u MB free on %c:", '?', 0), "0,00 MB free on ?:");
  EXPECT_EQ(freeSpaceText("100%% %c %lu,%02u", 'D', 1536), "100% D 1,50");
  EXPECT_EQ(requiredSpaceText("Inštalácia %s vyžaduje %lu,%02u MB.", "TarvekPDF", 40),
            "Inštalácia TarvekPDF vyžaduje 0,03 MB.");
}

TEST(WizardRulesTest, PageOrderFollowsLicenceAndVariant) {
  using P = Page;
  EXPECT_EQ(pageOrder(false, false), (std::vector<Page>{P::welcome, P::target}));
  EXPECT_EQ(pageOrder(true, false), (std::vector<Page>{P::welcome, P::target, P::licence}));
  EXPECT_EQ(pageOrder(false, true), (std::vector<Page>{P::welcome, P::target, P::userData}));
  EXPECT_EQ(pageOrder(true, true), (std::vector<Page>{P::welcome, P::target, P::licence, P::userData}));
}

TEST(WizardRulesTest, ViewerTitlesAreCaseSensitivePrefixes) {
  EXPECT_TRUE(isViewerWindowTitle("Adobe Reader - x.pdf"));
  EXPECT_TRUE(isViewerWindowTitle("Adobe Acrobat"));
  EXPECT_TRUE(isViewerWindowTitle("Acrobat Reader 5.0"));
  EXPECT_FALSE(isViewerWindowTitle("adobe reader - x.pdf"));
  EXPECT_FALSE(isViewerWindowTitle(" Adobe Reader"));
  EXPECT_FALSE(isViewerWindowTitle("Adobe Rea"));
  EXPECT_FALSE(isViewerWindowTitle(""));
  EXPECT_FALSE(isViewerWindowTitle(std::string(95, 'x') + "Adobe Reader"));
}

TEST(WizardRulesTest, TargetLinesAndSelection) {
  ViewerInstallation r;
  r.folder = "C:\\Reader\\";
  r.programVersion = version(6, 1, 2);
  EXPECT_EQ(targetListLine("%c %s %u.%02u (%s)", r, "Acrobat Reader"), "  Acrobat Reader 6.01 (C:\\Reader\\)");
  r.pluginInstalled = true;
  EXPECT_EQ(targetListLine("%c %s %u.%02u (%s)", r, "Adobe Acrobat"), "* Adobe Acrobat 6.01 (C:\\Reader\\)");

  ViewerDetection d;
  d.installations.resize(3);
  d.defaultIndex = 2;
  EXPECT_EQ(initialSelection(-1, d), 2);
  EXPECT_EQ(initialSelection(1, d), 1);
  EXPECT_EQ(initialSelection(3, d), 2);
  EXPECT_FALSE(asksAboutDefault(d, 0));  // nothing opens PDF files
  d.associationIndex = 2;
  EXPECT_TRUE(asksAboutDefault(d, 0));
  EXPECT_FALSE(asksAboutDefault(d, 2));

  r.pluginVersion = version(1, 0, 2);
  EXPECT_TRUE(asksAboutNewerPlugin(r, version(1, 0, 1, 9)));
  EXPECT_FALSE(asksAboutNewerPlugin(r, version(1, 0, 2)));
  r.pluginInstalled = false;
  EXPECT_FALSE(asksAboutNewerPlugin(r, version(0, 1)));
}

TEST(WizardRulesTest, TrimmingAndTheUserDataForwardRule) {
  EXPECT_EQ(trimmed("  Ján\t\r\n"), "Ján");
  EXPECT_EQ(trimmed("\x01 a b \x1f"), "a b");
  EXPECT_EQ(trimmed("Šťastný"), "Šťastný");  // code-page letters above 127 stay
  EXPECT_EQ(trimmed(" \t "), "");
  EXPECT_TRUE(userDataComplete(" a", "b "));
  EXPECT_FALSE(userDataComplete("a", "   "));
  EXPECT_FALSE(userDataComplete("", "b"));
}

}  // namespace
}  // namespace tarvek::installer
