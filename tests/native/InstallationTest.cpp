#include "installer/Installation.h"

#include <gtest/gtest.h>

#include <map>

#include "catalogue/DatabaseFormat.h"
#include "installer/FileCopy.h"
#include "installer/InstallResult.h"
#include "installer/TargetFolder.h"
#include "platform/Cp1250.h"
#include "settings/RegistryLayout.h"
#include "tests/fakes/FakeServices.h"

namespace tarvek::installer {
namespace {

using testing::FakeEnv;

constexpr char kMedium[] = "E:\\";
constexpr char kReader[] = "C:\\Reader\\";
constexpr char kP[] = "C:\\Reader\\Plug_ins\\Tarvek\\";
constexpr char kLog[] = "C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDFSearch.inf";
constexpr char kUninstaller[] = "C:\\WINDOWS\\ZaZiruDA.exe";
constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch";

// Versions by path; a path not listed has no version record.
class FakeVersions final : public InstallVersionSource {
 public:
  bool productVersion(const std::string& path, InstallProductVersion* version) override {
    auto it = versions.find(cp1250::toLower(path));
    if (it == versions.end()) return false;
    *version = it->second;
    return true;
  }
  void set(const std::string& path, InstallProductVersion version) { versions[cp1250::toLower(path)] = version; }
  std::map<std::string, InstallProductVersion> versions;
};

// Everything shown, one entry per call: "open", "20 Kopírovanie súboru x", "tick 21", "message ...", "close".
class RecordingProgress final : public InstallProgress {
 public:
  void open() override { events.push_back("open"); }
  void setProgress(int value) override { events.push_back("tick " + std::to_string(value)); }
  void setProgress(int value, const std::string& status) override {
    events.push_back(std::to_string(value) + " " + cp1250::toUtf8(status));
  }
  void close() override { events.push_back("close"); }
  void showMessage(const std::string& text) override { events.push_back("message " + cp1250::toUtf8(text)); }

  // The announcements (values with a status text), in order.
  std::vector<int> announcements() const {
    std::vector<int> values;
    for (const std::string& e : events)
      if (!e.empty() && e[0] >= '0' && e[0] <= '9') values.push_back(std::stoi(e));
    return values;
  }
  std::vector<int> ticks() const {
    std::vector<int> values;
    for (const std::string& e : events)
      if (e.rfind("tick ", 0) == 0) values.push_back(std::stoi(e.substr(5)));
    return values;
  }
  std::vector<std::string> events;
};

std::string crlfLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.addFolder(kReader);
    fake.files.addFolder("C:\\WINDOWS");
    addMediumFile("query.API", std::string(20000, 'q'), testing::fileTimeOf(2001, 5, 4, 3, 2, 1));
    addMediumFile("vovar_av.dll", std::string(9000, 'v'), testing::fileTimeOf(2001, 6, 1));
    fake.files.addFile(std::string(kMedium) + "ZaZiruDA.exe", "uninstaller 1.0");
    plan.displayName = "TarvekPDF Search";
    plan.productKeyName = "TarvekPDFSearch";
    plan.viewerFolder = kReader;
    plan.sourceFolder = kMedium;
    plan.filesFolder = "PLUGIN\\";
    plan.fileNames = {"query.API", "vovar_av.dll"};
    plan.windowsFolder = "C:\\WINDOWS\\";
    plan.uninstallerVersion = {0x00010000, 0};
  }

  void addMediumFile(const std::string& name, const std::string& data, uint64_t time = 0) {
    fake.files.addFile(std::string(kMedium) + "PLUGIN\\" + name, data, time);
  }

  uint16_t install() {
    progress.events.clear();
    return runInstallation(fake.env, versions, plan, progress);
  }

  std::string log() const { return fake.files.content(kLog).value_or("<no log>"); }

  std::string machineValue(const std::string& key, const std::string& name) {
    const testing::FakeRegistry::Value* value = fake.registry.find(Hive::localMachine, key, name);
    return value ? value->text : "<missing>";
  }

  // The message shown, back in UTF-8 with its type byte.
  std::string shownMessage() const {
    for (const std::string& e : progress.events)
      if (e.rfind("message ", 0) == 0) return e.substr(8);
    return "<none>";
  }

  FakeEnv fake;
  FakeVersions versions;
  RecordingProgress progress;
  InstallationPlan plan;
};

const std::vector<std::string> kClosingLines = {
    "10=Adobe Acrobat|Adobe Acrobat\xAE",
    "10=Acrobat Reader|Adobe Acrobat\xAE Reader",
    "10=Adobe Reader|Adobe\xAE Reader",
};

TEST_F(InstallationTest, WritesTheLogOfASearchInstallationLineByLine) {
  ASSERT_EQ(install(), kInstallOk);

  std::vector<std::string> expected = {
      "0=TarvekPDF Search",
      "1=00010000.00000000",
      "2=C:\\Reader\\Plug_ins\\Tarvek\\",
      "3=C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDFSearch.inf",
      "7=0|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch",
      "6=0|1|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch|DisplayName|TarvekPDF Search",
      "6=0|1|SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch|UninstallString|"
      "\"C:\\WINDOWS\\ZaZiruDA.exe\" \"C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDFSearch.inf\" -SK",
      "7=0|Software\\Kelbo\\TarvekPDF",
      "12=0|1|Software\\Kelbo\\TarvekPDF|ActiveIndexesPath|C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb|"
      "C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb",
      "11=C:\\Reader\\Plug_ins\\Tarvek\\query.API|C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDF.API",
      "11=C:\\Reader\\Plug_ins\\Tarvek\\vovar_av.dll|C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDF.API",
      "9=C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb",
  };
  expected.insert(expected.end(), kClosingLines.begin(), kClosingLines.end());
  EXPECT_EQ(log(), crlfLines(expected));
}

TEST_F(InstallationTest, LeavesFilesValuesUninstallerAndDatabaseAndSaysSo) {
  ASSERT_EQ(install(), kInstallOk);

  EXPECT_EQ(fake.files.content(std::string(kP) + "query.API"), std::string(20000, 'q'));
  EXPECT_EQ(fake.files.content(std::string(kP) + "vovar_av.dll"), std::string(9000, 'v'));
  EXPECT_EQ(fake.files.lastWriteTime(std::string(kP) + "query.API"), testing::fileTimeOf(2001, 5, 4, 3, 2, 1));
  EXPECT_EQ(fake.files.lastWriteTime(std::string(kP) + "vovar_av.dll"), testing::fileTimeOf(2001, 6, 1));
  EXPECT_EQ(fake.files.content(kUninstaller), "uninstaller 1.0");
  EXPECT_EQ(fake.files.content(std::string(kP) + "tarvek.idb"), serializeDatabase({}));

  EXPECT_EQ(machineValue(kUninstallKey, "DisplayName"), "TarvekPDF Search");
  EXPECT_EQ(machineValue(kUninstallKey, "UninstallString"),
            "\"C:\\WINDOWS\\ZaZiruDA.exe\" \"C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDFSearch.inf\" -SK");
  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), "C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb");
  EXPECT_EQ(machineValue(settings::kProductKey, "Name"), "<missing>");
  EXPECT_EQ(machineValue(settings::kProductKey, "Company"), "<missing>");

  const std::vector<std::string> expected = {
      "open",
      "0 Vytvorenie neexistujúcich adresárov",
      "3 Kopírovanie súboru ZaZiruDA.exe",
      "4 Registrácia programu pre odinštalovanie",
      "10 Zápis parametrov inštalácie",
      "20 Kopírovanie súboru query.API",
  };
  ASSERT_GE(progress.events.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(progress.events.begin(), progress.events.begin() + 6), expected);
  EXPECT_EQ(progress.announcements(), (std::vector<int>{0, 3, 4, 10, 20, 55, 95, 100}));
  ASSERT_GE(progress.events.size(), 3u);
  EXPECT_EQ(progress.events[progress.events.size() - 3], "100 ");
  EXPECT_EQ(progress.events[progress.events.size() - 2], "message \x04Inštalácia úspešne ukončená!");
  EXPECT_EQ(progress.events.back(), "close");
}

TEST_F(InstallationTest, FullVariantLogsCopiedFilesForRemovalAndWritesNameAndCompany) {
  plan.fullVariant = true;
  plan.displayName = "TarvekPDF";
  plan.productKeyName = "TarvekPDF";
  plan.fileNames = {"query.API"};
  plan.userName = "Ján Novák";
  plan.company = "Kelbo";
  ASSERT_EQ(install(), kInstallOk);

  const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDF";
  std::vector<std::string> expected = {
      "0=TarvekPDF",
      "1=00010000.00000000",
      "2=C:\\Reader\\Plug_ins\\Tarvek\\",
      "3=C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDF.inf",
      "7=0|" + key,
      "6=0|1|" + key + "|DisplayName|TarvekPDF",
      "6=0|1|" + key + "|UninstallString|\"C:\\WINDOWS\\ZaZiruDA.exe\" \"C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDF.inf\" -SK",
      "7=0|Software\\Kelbo\\TarvekPDF",
      "12=0|1|Software\\Kelbo\\TarvekPDF|ActiveIndexesPath|C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb|"
      "C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb",
      "6=0|1|Software\\Kelbo\\TarvekPDF|Company|Kelbo",
      "6=0|1|Software\\Kelbo\\TarvekPDF|Name|Ján Novák",
      "3=C:\\Reader\\Plug_ins\\Tarvek\\query.API",
      "9=C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb",
  };
  expected.insert(expected.end(), kClosingLines.begin(), kClosingLines.end());
  EXPECT_EQ(fake.files.content("C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDF.inf"), crlfLines(expected));
  EXPECT_EQ(machineValue(settings::kProductKey, "Name"), "Ján Novák");
  EXPECT_EQ(machineValue(settings::kProductKey, "Company"), "Kelbo");
}

// Two files share 70: each is announced at 35 i + 20 and ticks 33 times from 35 i + 21.
TEST_F(InstallationTest, TwoFilesTickThirtyThreeTimesEachAtMostOncePerBlock) {
  addMediumFile("query.API", std::string(33 * 8192, 'q'));
  addMediumFile("vovar_av.dll", std::string(100 * 8192 + 5, 'v'));
  ASSERT_EQ(install(), kInstallOk);

  EXPECT_EQ(progress.announcements(), (std::vector<int>{0, 3, 4, 10, 20, 55, 95, 100}));
  std::vector<int> expected;
  for (int t = 21; t <= 53; ++t) expected.push_back(t);  // one per block of the first
  for (int t = 56; t <= 88; ++t) expected.push_back(t);  // 101 blocks, 33 ticks
  EXPECT_EQ(progress.ticks(), expected);
}

TEST_F(InstallationTest, AFileSmallerThanItsTickCountTicksOncePerBlock) {
  addMediumFile("query.API", std::string(20, 'q'));       // tick size 0: one block, one tick
  addMediumFile("vovar_av.dll", std::string(0, 'v'));     // no block, no tick
  ASSERT_EQ(install(), kInstallOk);
  EXPECT_EQ(progress.ticks(), (std::vector<int>{21}));
  EXPECT_EQ(fake.files.content(std::string(kP) + "vovar_av.dll"), "");
}

TEST_F(InstallationTest, FortyFilesAreAnnouncedFromTwentyToFiftyNineWithoutTicks) {
  plan.fileNames.clear();
  for (int i = 0; i < 40; ++i) {
    const std::string name = "file" + std::to_string(i) + ".dat";
    addMediumFile(name, std::string(30000, 'x'));
    plan.fileNames.push_back(name);
  }
  ASSERT_EQ(install(), kInstallOk);

  std::vector<int> expected = {0, 3, 4, 10};
  for (int v = 20; v <= 59; ++v) expected.push_back(v);
  expected.insert(expected.end(), {95, 100});
  EXPECT_EQ(progress.announcements(), expected);
  EXPECT_TRUE(progress.ticks().empty());
  EXPECT_EQ(fake.files.content(std::string(kP) + "file39.dat"), std::string(30000, 'x'));
}

TEST_F(InstallationTest, ACopyFailingOnTheThirdFileKeepsWhatWasDoneAndEndsTheLog) {
  plan.fileNames = {"query.API", "vovar_av.dll", "lemma_sk.txt", "synonyms_sk.txt"};
  addMediumFile("lemma_sk.txt", std::string(50000, 'l'));
  addMediumFile("synonyms_sk.txt", "s");
  fake.files.failReadsAfter(std::string(kMedium) + "PLUGIN\\lemma_sk.txt", 3 * 8192);

  ASSERT_EQ(install(), kInstallDiskFailure);

  EXPECT_TRUE(fake.files.content(std::string(kP) + "query.API"));
  EXPECT_TRUE(fake.files.content(std::string(kP) + "vovar_av.dll"));
  EXPECT_FALSE(fake.files.content(std::string(kP) + "lemma_sk.txt")) << "the broken copy is deleted";
  for (const std::string& file : fake.files.allFiles()) EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
  EXPECT_FALSE(fake.files.content(std::string(kP) + "synonyms_sk.txt"));
  EXPECT_FALSE(fake.files.content(std::string(kP) + "tarvek.idb"));
  EXPECT_EQ(machineValue(kUninstallKey, "DisplayName"), "TarvekPDF Search");
  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), "C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb");

  const std::string text = log();
  EXPECT_NE(text.find("11=C:\\Reader\\Plug_ins\\Tarvek\\vovar_av.dll|"), std::string::npos);
  EXPECT_EQ(text.find("lemma_sk"), std::string::npos);
  EXPECT_EQ(text.find("9="), std::string::npos);
  const std::string ending = crlfLines(kClosingLines);
  ASSERT_GE(text.size(), ending.size());
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
  EXPECT_EQ(shownMessage(), "\x02" "Chyba pri diskovej operácii (poškodené médium, nedostatok miesta na disku)!");
  // Four files share 17 each: the third is announced at 54 and its three
  // blocks that went through ticked 55, 56 and 57.
  EXPECT_EQ(progress.events[progress.events.size() - 3], "tick 57");
  EXPECT_EQ(progress.events.back(), "close");
}

TEST_F(InstallationTest, ADiskThatFillsDuringTheSecondFileKeepsTheFirstAndTheOldSecond) {
  fake.files.addFile(std::string(kP) + "vovar_av.dll", "the engine installed before");
  addMediumFile("vovar_av.dll", std::string(1 << 20, 'v'));
  fake.files.setDiskSpace(1 << 19);  // room for the log, the uninstaller and the first file only
  ASSERT_EQ(install(), kInstallDiskFailure);
  EXPECT_EQ(fake.files.content(std::string(kP) + "query.API"), std::string(20000, 'q'));
  EXPECT_EQ(fake.files.content(std::string(kP) + "vovar_av.dll"), "the engine installed before");
  for (const std::string& file : fake.files.allFiles()) EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
}

class FileCopyTest : public ::testing::Test {
 protected:
  uint16_t copy(int ticks = 0) {
    progress.events.clear();
    return copyInstallFile(files, "E:\\src.dat", "C:\\Dst\\dst.dat", 21, ticks, progress);
  }
  testing::FakeFileSystem files;
  RecordingProgress progress;
};

TEST_F(FileCopyTest, ExactBlocksTickAtEachBlockBoundaryAndTheTargetTakesTheSourceTime) {
  files.addFile("E:\\src.dat", std::string(3 * kCopyBlockBytes, 's'), testing::fileTimeOf(2001, 5, 4));
  files.addFile("C:\\Dst\\dst.dat", "old");
  files.denyWritesUnder("E:");  // a read-only medium: the bytes gather beside the target
  ASSERT_EQ(copy(3), kInstallOk);
  EXPECT_EQ(progress.ticks(), (std::vector<int>{21, 22, 23}));
  EXPECT_EQ(files.content("C:\\Dst\\dst.dat"), std::string(3 * kCopyBlockBytes, 's'));
  EXPECT_EQ(files.lastWriteTime("C:\\Dst\\dst.dat"), testing::fileTimeOf(2001, 5, 4));
  EXPECT_EQ(files.allFiles(), (std::vector<std::string>{"C:\\Dst\\dst.dat", "E:\\src.dat"}));
}

TEST_F(FileCopyTest, AFailedCopyLeavesTheOldTargetAndNoTemporaryFile) {
  files.addFile("E:\\src.dat", std::string(3 * kCopyBlockBytes, 's'));
  // A medium that gives out before the size it announced.
  files.endReadsAt("E:\\src.dat", kCopyBlockBytes + 100);
  files.addFolder("C:\\Dst");
  EXPECT_EQ(copy(), kInstallDiskFailure);
  EXPECT_EQ(files.allFiles(), std::vector<std::string>{"E:\\src.dat"}) << "no target is left";
  files.addFile("C:\\Dst\\dst.dat", "old");
  EXPECT_EQ(copy(), kInstallDiskFailure);
  EXPECT_EQ(files.content("C:\\Dst\\dst.dat"), "old");

  // A target another program holds open cannot be replaced.
  files.endReadsAt("E:\\src.dat", 1 << 20);
  files.lock("C:\\Dst\\dst.dat");
  EXPECT_EQ(copy(), kInstallTargetUncreatable);
  EXPECT_EQ(files.content("C:\\Dst\\dst.dat"), "old");
  EXPECT_EQ(files.allFiles(), (std::vector<std::string>{"C:\\Dst\\dst.dat", "E:\\src.dat"}));

  // A temporary file made but not opened is taken away again.
  files.denyOpeningUnder("C:\\Dst");
  EXPECT_EQ(copy(), kInstallTargetUncreatable);
  EXPECT_EQ(files.content("C:\\Dst\\dst.dat"), "old");
  EXPECT_EQ(files.allFiles(), (std::vector<std::string>{"C:\\Dst\\dst.dat", "E:\\src.dat"}));
}

TEST_F(FileCopyTest, ATargetPathThatFitsIsCopiedThroughATemporaryNameThatFitsToo) {
  files.addFile("E:\\src.dat", "new bytes");
  for (size_t length : {FileSystem::kMaxPathLength, FileSystem::kMaxPathLength + 1}) {
    SCOPED_TRACE(length);
    const std::string folder = "C:\\" + std::string(length - 3 - std::string("\\query.API").size(), 'p');
    const std::string target = folder + "\\query.API";
    ASSERT_EQ(target.size(), length);
    files.addFolder(folder);
    const uint16_t result = copyInstallFile(files, "E:\\src.dat", target, 21, 0, progress);
    if (length <= FileSystem::kMaxPathLength) {
      EXPECT_EQ(result, kInstallOk);
      EXPECT_EQ(files.content(target), "new bytes");
    } else {
      EXPECT_EQ(result, kInstallTargetUncreatable);
    }
    EXPECT_EQ(files.allFiles().size(), 2u) << "the source and the one target, no temporary file";
  }
}

// Each failure: its code, its message, whether a log is left, and what else must not be there.
struct Failure {
  const char* name;
  void (*arrange)(FakeEnv&, InstallationPlan&);
  uint16_t code;
  const char* message;
  bool logLeft;
};

const Failure kFailures[] = {
    {"empty target", [](FakeEnv&, InstallationPlan& p) { p.viewerFolder = ""; }, 5,
     "Nekorektne zadaný cieľový inštalačný adresár (musíte špecifikovať úplnú cestu)!", false},
    {"target too long", [](FakeEnv&, InstallationPlan& p) { p.viewerFolder = "C:\\" + std::string(250, 'a') + "\\"; },
     5, "Nekorektne zadaný cieľový inštalačný adresár (musíte špecifikovať úplnú cestu)!", false},
    {"no part exists", [](FakeEnv&, InstallationPlan& p) { p.viewerFolder = "Reader\\"; }, 5,
     "Nekorektne zadaný cieľový inštalačný adresár (musíte špecifikovať úplnú cestu)!", false},
    {"target is a file", [](FakeEnv& f, InstallationPlan&) { f.files.addFile("C:\\Reader\\Plug_ins\\Tarvek", "x"); },
     14, "Nie je možné vytvoriť cieľový adresár (zadaná cesta obsahuje názov existujúceho súboru)!", false},
    {"parent is a file", [](FakeEnv& f, InstallationPlan&) { f.files.addFile("C:\\Reader\\Plug_ins", "x"); }, 14,
     "Nie je možné vytvoriť cieľový adresár (zadaná cesta obsahuje názov existujúceho súboru)!", false},
    {"folder refused", [](FakeEnv& f, InstallationPlan&) { f.files.denyWritesUnder("C:\\Reader\\Plug_ins"); }, 11,
     "Nie je možné vytvoriť cieľový adresár (nedostat. prístup. práva, názov obsahuje nepovol. znaky)!", false},
    {"log refused",
     [](FakeEnv& f, InstallationPlan&) { f.files.addFolder("C:\\Reader\\Plug_ins\\Tarvek\\TarvekPDFSearch.inf"); },
     60, "Nie je možné vytvoriť log inštalácie (nedostat. prístup. práva)!", false},
    {"uninstaller unreadable", [](FakeEnv& f, InstallationPlan&) { f.files.denyRead("E:\\ZaZiruDA.exe"); }, 8,
     "Nie je možné otvoriť zdrojový súbor pre kopírovanie!", true},
    {"uninstaller target refused", [](FakeEnv& f, InstallationPlan&) { f.files.denyWritesUnder("C:\\WINDOWS"); }, 9,
     "Nie je možné vytvoriť cieľový súbor pre kopírovanie!", true},
    {"uninstall key refused",
     [](FakeEnv& f, InstallationPlan&) { f.registry.denyAccess(Hive::localMachine, kUninstallKey); }, 56,
     "Chyba pri zápise do registra (nedostatočné prístupové práva)!", true},
    {"uninstall string refused", [](FakeEnv& f, InstallationPlan&) { f.registry.failValueWrites("UninstallString"); },
     56, "Chyba pri zápise do registra (nedostatočné prístupové práva)!", true},
    {"product key refused",
     [](FakeEnv& f, InstallationPlan&) { f.registry.denyAccess(Hive::localMachine, settings::kProductKey); }, 56,
     "Chyba pri zápise do registra (nedostatočné prístupové práva)!", true},
    {"source unreadable", [](FakeEnv& f, InstallationPlan&) { f.files.denyRead("E:\\PLUGIN\\query.API"); }, 8,
     "Nie je možné otvoriť zdrojový súbor pre kopírovanie!", true},
    {"target is a folder",
     [](FakeEnv& f, InstallationPlan&) { f.files.addFolder("C:\\Reader\\Plug_ins\\Tarvek\\query.API"); }, 9,
     "Nie je možné vytvoriť cieľový súbor pre kopírovanie!", true},
    {"size unreadable", [](FakeEnv& f, InstallationPlan&) { f.files.failSize("E:\\PLUGIN\\query.API"); }, 10,
     "Chyba pri diskovej operácii (poškodené médium, nedostatok miesta na disku)!", true},
    {"database refused",
     [](FakeEnv& f, InstallationPlan&) {
       f.files.addFolder("D:\\Locked");
       f.files.denyWritesUnder("D:\\Locked");
       f.registry.writeString(Hive::localMachine, settings::kProductKey, "ActiveIndexesPath", "D:\\Locked\\my.idb");
     },
     55, "Nie je možné vytvoriť (aktualizovať) databázu aktívnych indexov!", true},
};

TEST_F(InstallationTest, EveryFailureEndsWithItsCodeAndMessageAndKeepsTheLogOpenToTheEnd) {
  for (const Failure& failure : kFailures) {
    SCOPED_TRACE(failure.name);
    FakeEnv env;
    env.files.addFolder(kReader);
    env.files.addFolder("C:\\WINDOWS");
    env.files.addFile("E:\\PLUGIN\\query.API", "q");
    env.files.addFile("E:\\PLUGIN\\vovar_av.dll", "v");
    env.files.addFile("E:\\ZaZiruDA.exe", "u");
    InstallationPlan failing = plan;
    failure.arrange(env, failing);
    RecordingProgress shown;

    EXPECT_EQ(runInstallation(env.env, versions, failing, shown), failure.code);

    ASSERT_GE(shown.events.size(), 2u);
    EXPECT_EQ(shown.events[shown.events.size() - 2], std::string("message \x02") + failure.message);
    EXPECT_EQ(shown.events.back(), "close");
    const std::optional<std::string> text = env.files.content(kLog);
    EXPECT_EQ(text.has_value(), failure.logLeft);
    if (text) {
      const std::string ending = crlfLines(kClosingLines);
      EXPECT_EQ(text->substr(text->size() - std::min(text->size(), ending.size())), ending);
    }
    if (!failure.logLeft) {
      EXPECT_EQ(env.registry.writeCount(), 0) << "nothing after a failure before the log";
    }
  }
}

TEST_F(InstallationTest, LogLinesThatCannotBeWrittenAreLostAndTheInstallationGoesOn) {
  fake.files.failWrites(kLog, 2);  // the display name and the uninstaller's version
  ASSERT_EQ(install(), kInstallOk);
  EXPECT_EQ(shownMessage(), "\x04" "Inštalácia úspešne ukončená!");
  EXPECT_TRUE(fake.files.content(std::string(kP) + "vovar_av.dll"));
  EXPECT_TRUE(fake.files.content(std::string(kP) + "tarvek.idb"));
  const std::string text = log();
  EXPECT_EQ(text.rfind("2=C:\\Reader\\Plug_ins\\Tarvek\\\r\n", 0), 0u) << text;
  const std::string ending = crlfLines(kClosingLines);
  ASSERT_GE(text.size(), ending.size());
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

TEST_F(InstallationTest, AValueThatCannotBeWrittenStopsTheValuesAfterIt) {
  plan.fullVariant = true;
  plan.userName = "Ján";
  plan.company = "Kelbo";
  fake.registry.failValueWrites("Company");
  ASSERT_EQ(install(), kInstallRegistryFailure);
  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), "C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb");
  EXPECT_EQ(machineValue(settings::kProductKey, "Name"), "<missing>");
  EXPECT_FALSE(fake.files.content(std::string(kP) + "query.API")) << "no file after a registry failure";
  EXPECT_EQ(log().find("|Company|"), std::string::npos);
}

// The database is the last step before success; a header written short is
// deleted and reported as a disk failure. The disk is sized from a full run.
TEST_F(InstallationTest, ADatabaseWrittenShortIsDeletedAndReportedAsADiskFailure) {
  fake.files.setDiskSpace(1 << 20);
  ASSERT_EQ(install(), kInstallOk);
  uint64_t left = 0;
  ASSERT_TRUE(fake.files.freeSpace("C:\\", &left));
  const uint64_t used = (1 << 20) - left;
  const uint64_t afterCopies = 18 + std::string("9=C:\\Reader\\Plug_ins\\Tarvek\\tarvek.idb\r\n").size() +
                               crlfLines(kClosingLines).size();

  FakeEnv env;
  env.files.addFolder(kReader);
  env.files.addFolder("C:\\WINDOWS");
  env.files.addFile("E:\\PLUGIN\\query.API", std::string(20000, 'q'));
  env.files.addFile("E:\\PLUGIN\\vovar_av.dll", std::string(9000, 'v'));
  env.files.addFile("E:\\ZaZiruDA.exe", "uninstaller 1.0");
  env.files.setDiskSpace(used - afterCopies + 10);
  RecordingProgress shown;
  EXPECT_EQ(runInstallation(env.env, versions, plan, shown), kInstallDiskFailure);
  EXPECT_FALSE(env.files.content(std::string(kP) + "tarvek.idb"));
  EXPECT_TRUE(env.files.content(std::string(kP) + "vovar_av.dll"));
}

TEST_F(InstallationTest, ReinstallingReplacesFilesAndLogAndKeepsTheDatabaseAndItsPath) {
  fake.files.addFolder("D:\\Indexy");
  fake.registry.writeString(Hive::localMachine, settings::kProductKey, "ActiveIndexesPath", "D:\\Indexy\\moje.idb");
  ASSERT_EQ(install(), kInstallOk);
  const std::string firstLog = log();
  const std::string userDatabase = serializeDatabase({}) + "user's entries";
  fake.files.addFile("D:\\Indexy\\moje.idb", userDatabase);
  addMediumFile("query.API", "a newer plug-in");
  versions.set(kUninstaller, plan.uninstallerVersion);

  ASSERT_EQ(install(), kInstallOk);

  EXPECT_EQ(fake.files.content(std::string(kP) + "query.API"), "a newer plug-in");
  EXPECT_EQ(fake.files.content("D:\\Indexy\\moje.idb"), userDatabase);
  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), "D:\\Indexy\\moje.idb");
  EXPECT_EQ(log(), firstLog) << "the old log is replaced, not appended to";
  EXPECT_NE(log().find("9=D:\\Indexy\\moje.idb\r\n"), std::string::npos);
  EXPECT_FALSE(fake.files.content(std::string(kP) + "tarvek.idb"));
}

TEST_F(InstallationTest, AnUnrecognisedDatabaseIsKeptAsTheUsersCopyWithNoLogLineOfItsOwn) {
  ASSERT_EQ(install(), kInstallOk);
  const std::string cleanLog = log();
  const std::string database = std::string(kP) + "tarvek.idb";
  const std::string unknown = "IDB of another kind\x01\x02";
  fake.files.addFile(database, unknown);
  versions.set(kUninstaller, plan.uninstallerVersion);

  ASSERT_EQ(install(), kInstallOk);

  EXPECT_EQ(fake.files.content(database + ".damaged"), unknown);
  EXPECT_EQ(fake.files.content(database), serializeDatabase({}));
  // Only kinds the uninstaller knows: the same lines as over no database.
  EXPECT_EQ(log(), cleanLog);
}

TEST_F(InstallationTest, ADatabasePathOnADriveTheInstallerDoesNotSeeIsKeptAndNotWritten) {
  fake.files.removeDrive("H:");  // mapped for the user, not for the elevated installer
  fake.registry.writeString(Hive::localMachine, settings::kProductKey, "ActiveIndexesPath", "H:\\Indexy\\moje.idb");

  ASSERT_EQ(install(), kInstallOk);

  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), "H:\\Indexy\\moje.idb");
  EXPECT_FALSE(fake.files.content(std::string(kP) + "tarvek.idb"));
  EXPECT_EQ(log().find("9="), std::string::npos);
}

TEST_F(InstallationTest, TheUninstallerIsCopiedOnlyWhenMissingOrOlder) {
  struct Case {
    const char* name;
    std::optional<InstallProductVersion> present;
    bool copied;
  };
  const Case cases[] = {
      {"missing", std::nullopt, true},
      {"older least significant", InstallProductVersion{0x00010000, 0}, true},
      {"older", InstallProductVersion{0x00000009, 0xFFFFFFFF}, true},
      {"equal", InstallProductVersion{0x00010000, 1}, false},
      {"higher", InstallProductVersion{0x00020000, 0}, false},
  };
  plan.uninstallerVersion = {0x00010000, 1};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake.files.addFile(kUninstaller, "present");
    versions.versions.clear();
    if (c.present) versions.set(kUninstaller, *c.present);
    ASSERT_EQ(install(), kInstallOk);
    EXPECT_EQ(fake.files.content(kUninstaller), c.copied ? "uninstaller 1.0" : "present");
    const std::vector<int> announced = progress.announcements();
    EXPECT_EQ(std::count(announced.begin(), announced.end(), 3), c.copied ? 1 : 0);
    EXPECT_EQ(log().find("ZaZiruDA.exe"), log().find("ZaZiruDA.exe\" \"")) << "no line names U but the command";
  }
}

TEST(TargetFolder, MakesMissingFoldersAndAcceptsTrailingBlanksAndBackslash) {
  testing::FakeFileSystem files;
  files.addFolder("C:\\A");
  EXPECT_EQ(createTargetFolder(files, "C:\\A\\B\\C\\  \t"), kInstallOk);
  FileInfo info;
  ASSERT_TRUE(files.stat("C:\\A\\B\\C", &info));
  EXPECT_TRUE(info.isFolder);
  EXPECT_EQ(createTargetFolder(files, "C:\\A\\B\\C\\"), kInstallOk) << "an existing folder is success";
  EXPECT_EQ(createTargetFolder(files, "D:\\new\\"), kInstallOk) << "from the drive root";
  EXPECT_EQ(createTargetFolder(files, "   "), kInstallBadTarget);
  EXPECT_EQ(createTargetFolder(files, "\\no-drive"), kInstallBadTarget);
}

TEST(TargetFolder, TakesAPathOfUpTo260Characters) {
  testing::FakeFileSystem files;
  const std::string longest = "C:\\" + std::string(256, 'a') + "\\";
  ASSERT_EQ(longest.size(), 260u);
  EXPECT_EQ(createTargetFolder(files, longest), kInstallOk);
  EXPECT_EQ(createTargetFolder(files, "C:\\" + std::string(257, 'b') + "\\"), kInstallBadTarget);
  EXPECT_FALSE(files.exists("C:\\" + std::string(257, 'b')));
}

TEST(TargetFolder, FoldersMadeBeforeARefusalStay) {
  testing::FakeFileSystem files;
  files.addFolder("C:\\A");
  files.denyWritesUnder("C:\\A\\B\\C");
  EXPECT_EQ(createTargetFolder(files, "C:\\A\\B\\C\\D"), kInstallFolderUncreatable);
  EXPECT_TRUE(files.exists("C:\\A\\B"));
}

}  // namespace
}  // namespace tarvek::installer
