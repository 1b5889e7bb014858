// The installation steps with the real Win32 services (Wine's file system,
// registry and version API), installing from the built medium into a scratch
// viewer folder, and the stand-in uninstaller undoing it from the log.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "catalogue/DatabaseFormat.h"
#include "installer/InstallResult.h"
#include "installer/Installation.h"
#include "installer/win32/Win32InstallVersionSource.h"
#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Win32Services.h"
#include "settings/RegistryLayout.h"
#include "tests/win32/ScratchFolder.h"
#include "tests/win32/ViewerRun.h"

namespace tarvek::installer {
namespace {

constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch";

std::string backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The progress window's part: remembered, nothing shown.
class QuietProgress final : public InstallProgress {
 public:
  void open() override {}
  void setProgress(int) override {}
  void setProgress(int value, const std::string&) override { last = value; }
  void close() override {}
  void showMessage(const std::string& text) override { message = text; }
  int last = -1;
  std::string message;
};

class InstallationWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { wipeRegistry(); }
  void TearDown() override { wipeRegistry(); }
  void wipeRegistry() {
    Registry& registry = services.env().registry;
    ASSERT_TRUE(registry.deleteKeyTree(Hive::localMachine, kUninstallKey));
    ASSERT_TRUE(registry.deleteKeyTree(Hive::localMachine, settings::kProductKey));
  }

  InstallationPlan searchPlan() {
    InstallationPlan plan;
    plan.displayName = "TarvekPDF Search";
    plan.productKeyName = "TarvekPDFSearch";
    plan.viewerFolder = reader + "\\";
    plan.sourceFolder = medium + "\\";
    plan.filesFolder = "PLUGIN\\";
    plan.fileNames = {"query.API", "vovar_av.dll"};
    plan.windowsFolder = windows + "\\";
    plan.uninstallerVersion = {0x00010000, 0};
    return plan;
  }

  static std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  static uint64_t lastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
  }
  std::string machineValue(const std::string& key, const std::string& name) {
    std::string value;
    if (services.env().registry.readString(Hive::localMachine, key, name, &value) != RegStatus::ok) return "<missing>";
    return value;
  }

  tarvek::win32::Win32Env services{tarvek::win32::currentModule()};
  win32::Win32InstallVersionSource versions;
  QuietProgress progress;
  testing::ScratchFolder scratch{"install"};
  const std::string reader = scratch / "Reader";
  const std::string windows = scratch / "WINDOWS";
  const std::string plugins = reader + "\\Plug_ins\\Tarvek\\";
  const std::string medium = backslashed(TARVEK_MEDIUM_DIR);
};

TEST_F(InstallationWin32Test, InstallsFromTheMediumAndLeavesFilesValuesAndLogOnDisk) {
  testing::makeFolders(reader);
  testing::makeFolders(windows);
  ASSERT_EQ(runInstallation(services.env(), versions, searchPlan(), progress), kInstallOk) << progress.message;
  EXPECT_EQ(progress.last, 100);
  EXPECT_EQ(progress.message, services.module().text(kTextInstallSucceeded));
  EXPECT_EQ(progress.message[0], '\x04') << "an information box";

  for (const char* name : {"query.API", "vovar_av.dll"}) {
    SCOPED_TRACE(name);
    const std::string source = medium + "\\PLUGIN\\" + name;
    const std::string target = plugins + name;
    const std::string bytes = readFile(target);
    EXPECT_GT(bytes.size(), 8192u * 3) << "copied through many blocks";
    EXPECT_EQ(bytes, readFile(source));
    EXPECT_EQ(lastWriteTime(target), lastWriteTime(source));
  }
  EXPECT_EQ(readFile(windows + "\\ZaZiruDA.exe"), readFile(medium + "\\ZaZiruDA.exe"));
  EXPECT_EQ(readFile(plugins + "tarvek.idb"), serializeDatabase({}));

  const std::string log = plugins + "TarvekPDFSearch.inf";
  const std::string command = "\"" + windows + "\\ZaZiruDA.exe\" \"" + log + "\" -SK";
  EXPECT_EQ(machineValue(kUninstallKey, "DisplayName"), "TarvekPDF Search");
  EXPECT_EQ(machineValue(kUninstallKey, "UninstallString"), command);
  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), plugins + "tarvek.idb");

  const std::string uninstall = std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch");
  const std::string expected =
      "0=TarvekPDF Search\r\n"
      "1=00010000.00000000\r\n"
      "2=" + plugins + "\r\n"
      "3=" + log + "\r\n"
      "7=0|" + uninstall + "\r\n"
      "6=0|1|" + uninstall + "|DisplayName|TarvekPDF Search\r\n"
      "6=0|1|" + uninstall + "|UninstallString|" + command + "\r\n"
      "7=0|Software\\Kelbo\\TarvekPDF\r\n"
      "12=0|1|Software\\Kelbo\\TarvekPDF|ActiveIndexesPath|" + plugins + "tarvek.idb|" + plugins + "tarvek.idb\r\n"
      "11=" + plugins + "query.API|" + plugins + "TarvekPDF.API\r\n"
      "11=" + plugins + "vovar_av.dll|" + plugins + "TarvekPDF.API\r\n"
      "9=" + plugins + "tarvek.idb\r\n"
      "10=Adobe Acrobat|Adobe Acrobat\xAE\r\n"
      "10=Acrobat Reader|Adobe Acrobat\xAE Reader\r\n"
      "10=Adobe Reader|Adobe\xAE Reader\r\n";
  EXPECT_EQ(readFile(log), expected);
}

// The full variant from its own medium: the plug-in under its full name, and
// the user's name and company with Slovak letters through the real registry.
TEST_F(InstallationWin32Test, InstallsTheFullVariantFromItsMedium) {
  testing::makeFolders(reader);
  testing::makeFolders(windows);
  InstallationPlan plan = searchPlan();
  plan.fullVariant = true;
  plan.displayName = "TarvekPDF";
  plan.productKeyName = "TarvekPDF";
  plan.sourceFolder = backslashed(TARVEK_MEDIUM_FULL_DIR) + "\\";
  plan.fileNames = {"TarvekPDF.API", "vovar_av.dll", "ling_sk.tld", "NOTICE.txt"};
  plan.userName = "J\xE1n Nov\xE1k";  // code page 1250
  plan.company = "Kelbo, s.r.o.";
  ASSERT_EQ(runInstallation(services.env(), versions, plan, progress), kInstallOk) << progress.message;

  for (const std::string& name : plan.fileNames)
    EXPECT_EQ(readFile(plugins + name), readFile(plan.sourceFolder + "PLUGIN\\" + name)) << name;
  EXPECT_EQ(machineValue(settings::kProductKey, "Name"), "J\xE1n Nov\xE1k");
  EXPECT_EQ(machineValue(settings::kProductKey, "Company"), "Kelbo, s.r.o.");
  const std::string log = readFile(plugins + "TarvekPDF.inf");
  EXPECT_NE(log.find("6=0|1|Software\\Kelbo\\TarvekPDF|Name|J\xE1n Nov\xE1k\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("3=" + plugins + "TarvekPDF.API\r\n"), std::string::npos) << log;
  ASSERT_TRUE(services.env().registry.deleteKeyTree(Hive::localMachine,
                                                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDF"));
}

TEST_F(InstallationWin32Test, ANewerUninstallerAlreadyInPlaceIsLeftAlone) {
  testing::makeFolders(reader);
  testing::makeFolders(windows);
  // tarvinst.exe carries a higher product version than the medium's uninstaller.
  const std::string newer = readFile(medium + "\\tarvinst.exe");
  std::ofstream(windows + "\\ZaZiruDA.exe", std::ios::binary) << newer;
  InstallProductVersion present;
  ASSERT_TRUE(versions.productVersion(windows + "\\ZaZiruDA.exe", &present));
  EXPECT_GT(compareProductVersions(present, {0x00010000, 0}), 0);

  ASSERT_EQ(runInstallation(services.env(), versions, searchPlan(), progress), kInstallOk) << progress.message;
  EXPECT_EQ(readFile(windows + "\\ZaZiruDA.exe"), newer);
}

TEST_F(InstallationWin32Test, TheVersionOfTheMediumsUninstallerIsReadable) {
  InstallProductVersion version;
  ASSERT_TRUE(versions.productVersion(medium + "\\ZaZiruDA.exe", &version));
  EXPECT_EQ(version.most, 0x00010000u);
  EXPECT_EQ(version.least, 0u);
  EXPECT_FALSE(versions.productVersion(medium + "\\TARVINST.INF", &version)) << "no version resource";
  EXPECT_FALSE(versions.productVersion(scratch / "missing.dll", &version));
}

// What the medium installs is a working plug-in: the stand-in viewer, with
// nothing in its Plug_ins folder before, loads it, its engine and its menus.
TEST_F(InstallationWin32Test, TheViewerLoadsThePlugInInstalledFromTheMedium) {
  testing::makeFolders(windows);
  testing::ViewerRun viewer;
  InstallationPlan plan = searchPlan();
  plan.viewerFolder = viewer.folder() + "\\";
  plan.fileNames = {"query.API", "vovar_av.dll", "ling_sk.tld", "NOTICE.txt"};
  ASSERT_EQ(runInstallation(services.env(), versions, plan, progress), kInstallOk) << progress.message;

  const std::vector<std::string> output = viewer.run("menus\nquit\n");
  auto has = [&](const std::string& line) {
    return std::find(output.begin(), output.end(), line) != output.end();
  };
  EXPECT_TRUE(has("plugin Plug_ins\\Tarvek\\query.API"));
  EXPECT_TRUE(has("init VELT_fIDXQuery true")) << "the engine beside the plug-in was loaded";
  EXPECT_TRUE(has("menu VELT:fIDXSubmenu \"&TarvekPDF\""));
  EXPECT_TRUE(has("  item VELT:Search \"&Vyh\u013Eadanie...\" shortcut * modifiers 2"));
}

// The uninstall command as Windows would run it: everything the log lists goes,
// the user's database stays.
TEST_F(InstallationWin32Test, TheUninstallerUndoesTheInstallationFromItsLog) {
  testing::makeFolders(reader);
  testing::makeFolders(windows);
  ASSERT_EQ(runInstallation(services.env(), versions, searchPlan(), progress), kInstallOk) << progress.message;
  std::string command = machineValue(kUninstallKey, "UninstallString");

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  tarvek::win32::ScopedFile processHandle(process.hProcess);
  tarvek::win32::ScopedFile threadHandle(process.hThread);
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD status = 99;
  GetExitCodeProcess(process.hProcess, &status);
  EXPECT_EQ(status, 0u);

  for (const char* name : {"query.API", "vovar_av.dll", "TarvekPDFSearch.inf"})
    EXPECT_EQ(GetFileAttributesA((plugins + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
  EXPECT_EQ(readFile(plugins + "tarvek.idb"), serializeDatabase({}));
  EXPECT_EQ(machineValue(kUninstallKey, "DisplayName"), "<missing>");
  EXPECT_EQ(machineValue(kUninstallKey, "UninstallString"), "<missing>");
  EXPECT_EQ(machineValue(settings::kProductKey, "ActiveIndexesPath"), "<missing>");
}

}  // namespace
}  // namespace tarvek::installer
