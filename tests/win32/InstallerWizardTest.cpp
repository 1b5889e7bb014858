// tarvinst.exe on a medium laid out in a scratch folder, driven through its
// real windows by the driver (standins/driver) with the viewer's script
// commands. The rules behind the pages are tested natively; these tests
// check that the program shows them and moves the values.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/Win32Registry.h"
#include "tests/win32/ScratchFolder.h"

namespace tarvek::testing {
namespace {

constexpr char kReaderKey[] = "Software\\Adobe\\Acrobat Reader\\1.0\\InstallPath";
constexpr char kAcrobatKey[] = "Software\\Adobe\\Adobe Acrobat\\1.0\\InstallPath";

std::string nativePath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

void copy(const std::string& from, const std::string& to) {
  makeFolders(to.substr(0, to.find_last_of('\\')));
  if (!CopyFileA(nativePath(from).c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy to " + to);
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Runs a program with its standard output read into lines; it must end within the timeout.
std::vector<std::string> runCapturing(std::string command, const std::string& folder) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) throw std::runtime_error("no pipe");
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup, &process);
  CloseHandle(writeEnd);
  if (!started) {
    CloseHandle(readEnd);
    throw std::runtime_error("cannot start " + command);
  }
  // Read without blocking, so that a driver that hangs is ended after a minute.
  std::string output;
  char buffer[4096];
  const DWORD began = GetTickCount();
  while (true) {
    DWORD available = 0, got = 0;
    if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) break;  // the driver has ended
    if (available > 0) {
      if (!ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
      output.append(buffer, got);
      continue;
    }
    if (GetTickCount() - began > 60000) {
      TerminateProcess(process.hProcess, 99);
      output += "driver ended after a minute\n";
      break;
    }
    Sleep(10);
  }
  CloseHandle(readEnd);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(output.substr(start, end - start));
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Index of the first line at or after `from` that holds `text`, or -1.
int find(const std::vector<std::string>& lines, const std::string& text, int from = 0) {
  for (size_t i = from; i < lines.size(); ++i)
    if (lines[i].find(text) != std::string::npos) return static_cast<int>(i);
  return -1;
}

class InstallerWizardTest : public ::testing::Test {
 protected:
  InstallerWizardTest() : medium_("medium"), viewers_("viewers") {}

  void SetUp() override {
    copy(TARVEK_TARVINST_EXE, medium_ / "tarvinst.exe");
    // Any program with a version record for 32-bit Windows serves as the uninstaller.
    copy(TARVEK_TARVINST_EXE, medium_ / "ZaZiruDA.exe");
    copy(TARVEK_QUERY_API, medium_ / "PLUGIN\\query.API");
    copy(TARVEK_QUERY_API, medium_ / "PLUGIN\\TarvekPDF.API");
    clearViewers();
  }
  void TearDown() override {
    clearViewers();
    // What an installation driven to its end leaves outside the scratch
    // folders: the product's values, the uninstall entries, the uninstaller.
    for (const char* name : {"Name", "Company", "ActiveIndexesPath"})
      registry_.deleteValue(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", name);
    for (const char* entry : {"TarvekPDFSearch", "TarvekPDF"})
      registry_.deleteKeyTree(Hive::localMachine,
                              std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") + entry);
    char windows[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windows, MAX_PATH)) DeleteFileA((std::string(windows) + "\\ZaZiruDA.exe").c_str());
  }

  void clearViewers() {
    for (const char* key : {"Software\\Adobe\\Acrobat Reader", "Software\\Adobe\\Adobe Acrobat"})
      for (Hive hive : {Hive::currentUser, Hive::localMachine}) registry_.deleteKeyTree(hive, key);
  }

  void writeConfig(const std::string& extra, const std::string& minVersion = "1.0") {
    writeFile(medium_ / "TARVINST.INF", "[PLUGIN]\r\nTITLE=TarvekPDF Search\r\nTARVEK_PATH=PLUGIN\r\n"
                                        "TARVEK0=query.API\r\nREADER_MIN_VERSION=" + minVersion + "\r\n" + extra);
  }

  // A viewer installation: its program is any file with a version record
  // (the plug-in's, version 1.0), registered under the user's key.
  std::string addViewer(const std::string& name, bool reader) {
    const std::string folder = viewers_ / name + "\\";
    copy(TARVEK_QUERY_API, folder + (reader ? "AcroRd32.exe" : "Acrobat.exe"));
    registry_.writeString(Hive::currentUser, reader ? kReaderKey : kAcrobatKey, "", folder);
    return folder;
  }

  std::vector<std::string> drive(const std::string& script, const std::string& arguments = "") {
    const std::string scriptPath = medium_ / "test.script";
    writeFile(scriptPath, script);
    const std::string command = "\"" + nativePath(TARVEK_DRIVER_EXE) + "\" --script \"" + scriptPath + "\" \"" +
                                (medium_ / "tarvinst.exe") + "\"" + (arguments.empty() ? "" : " " + arguments);
    const std::vector<std::string> lines = runCapturing(command, medium_.path());
    output_ = joined(lines);
    return lines;
  }

  ScratchFolder medium_;
  ScratchFolder viewers_;
  win32::Win32Registry registry_;
  std::string output_;  // of the last run, for failure messages
};

TEST_F(InstallerWizardTest, AMissingConfigurationEndsTheProgramAndNamesTitleWithDiagnostics) {
  const std::string script = "wait Tarvinst\ndump\nclick OK\nwait \"Tarvinst - Bad Info\" 2\ndump\nclick OK\nexit\n";
  std::vector<std::string> lines = drive(script);
  EXPECT_NE(find(lines, "\"Poškodený (neexistujúci) konfiguračný súbor!\""), -1) << output_;
  EXPECT_NE(find(lines, "timeout \"Tarvinst - Bad Info\""), -1) << output_;
  EXPECT_NE(find(lines, "exited 1"), -1) << output_;

  lines = drive(script, "-d");
  const int box = find(lines, "shown \"Tarvinst - Bad Info\"");
  ASSERT_NE(box, -1) << output_;
  EXPECT_NE(find(lines, "\"TITLE\"", box), -1) << output_;
  EXPECT_NE(find(lines, "exited 1"), -1) << output_;
}

TEST_F(InstallerWizardTest, AnIncompleteMediumNamesTheMissingPathWithDiagnostics) {
  writeConfig("TARVEK1=vovar_av.dll\r\n");
  const std::vector<std::string> lines =
      drive("wait Tarvinst\ndump\nclick OK\nwait \"Tarvinst - Bad Disk\"\ndump\nclick OK\nexit\n", "-d");
  EXPECT_NE(find(lines, "\"Poškodené (neúplné) inštalačné médium!\""), -1) << output_;
  const int box = find(lines, "shown \"Tarvinst - Bad Disk\"");
  ASSERT_NE(box, -1) << output_;
  EXPECT_NE(find(lines, "PLUGIN\\vovar_av.dll\"", box), -1) << output_;
}

TEST_F(InstallerWizardTest, WithoutAViewerTheWelcomePageNamesTheMinimumVersionAndStays) {
  writeConfig("", "5");
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait Tarvinst\ndump\nclick OK\nwait Uvítanie\nclose\nwait Tarvinst\n"
            "click #7\nexit\n");
  EXPECT_NE(find(lines, "Minimálna požadovaná verzia je 5.00.\""), -1) << output_;
  EXPECT_NE(find(lines, "Acrobat® Reader alebo Adobe® Acrobat®."), -1) << output_;
  EXPECT_NE(find(lines, "exited 2"), -1) << output_;
}

TEST_F(InstallerWizardTest, TheSearchVariantWithoutLicenceEndsOnTheTargetPage) {
  writeConfig("");
  const std::string folder = addViewer("Reader", true);
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\ndump\nclick Inštalovať\n"
            "wait \"\"\nwait Tarvinst 30\ndump\nclick #1\nexit\n");
  const int page = find(lines, "dialog \"Výber cieľového adresára\"");
  ASSERT_NE(page, -1) << output_;
  EXPECT_NE(find(lines, "item \"  Acrobat Reader 1.00 (" + folder + ")\" selected", page), -1) << output_;
  EXPECT_NE(find(lines, "\"Zvoľte verziu Adobe® Acrobat® alebo Acrobat® Reader, do ktorej sa má TarvekPDF Search "
                        "inštalovať:\""), -1) << output_;
  EXPECT_NE(find(lines, "\"Na disku C: je k dispozícii "), -1) << output_;
  EXPECT_NE(find(lines, "\"Inštalácia TarvekPDF Search vyžaduje "), -1) << output_;
  EXPECT_NE(find(lines, "WwwBut #222 \"L* Pre zvolenú verziu prehliadača je už TarvekPDF Search nainštalovaný\" "
                        "enabled hidden"), -1) << output_;
  EXPECT_NE(find(lines, "Button #1 \"Inšt&alovať\" enabled", page), -1) << output_;
  EXPECT_NE(find(lines, "shown \"\""), -1) << output_;  // the progress window
  EXPECT_NE(find(lines, "\"Inštalácia úspešne ukončená!\""), -1) << output_;
  EXPECT_NE(find(lines, "exited 0"), -1) << output_;
  // The installation's files are in the viewer's plug-in folder.
  EXPECT_NE(GetFileAttributesA((folder + "Plug_ins\\Tarvek\\query.API").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA((folder + "Plug_ins\\Tarvek\\TarvekPDFSearch.inf").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerWizardTest, AFailedInstallationEndsWithItsResultCode) {
  writeConfig("");
  const std::string folder = addViewer("Reader", true);
  writeFile(folder + "Plug_ins", "a file where the plug-in folder goes");
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\nclick Inštalovať\n"
            "wait \"\"\nwait Tarvinst 30\ndump\nclick #1\nexit\n");
  EXPECT_NE(find(lines, "\"Nie je možné vytvoriť cieľový adresár (zadaná cesta obsahuje názov existujúceho súboru)!\""),
            -1) << output_;
  EXPECT_NE(find(lines, "exited 14"), -1) << output_;
}

TEST(InstallerProgramTest, CarriesAnApplicationManifest) {
  HMODULE program = LoadLibraryExA(nativePath(TARVEK_TARVINST_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = LoadResource(program, found);
  const std::string manifest(static_cast<const char*>(LockResource(loaded)), SizeofResource(program, found));
  FreeLibrary(program);
  // Ours, not a toolchain's default one (which also lists the systems but runs as invoked).
  EXPECT_NE(manifest.find("name=\"Kelbo.TarvekPDF.tarvinst\""), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""), std::string::npos) << manifest;
  for (const char* os : {"e2011457-1546-43c5-a5fe-008deee3d3f0", "35138b9a-5d96-4fbd-8e2d-a2440225f93a",
                         "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38", "1f676c76-80e1-4239-95bb-83d0f6d0da78",
                         "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
    EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + os + "}\"/>"), std::string::npos) << os;
}

TEST_F(InstallerWizardTest, TheFullVariantGoesBackAndForwardThroughAllFourPages) {
  writeFile(medium_ / "LICENCIA.TXT", "Licen\xE8n\xE9 podmienky.");  // plain text in code page 1250
  writeConfig("FULL_VERSION=1\r\nTARVEK_EULA=LICENCIA.TXT\r\n");
  addViewer("Reader", true);  // the full variant does not offer it
  const std::string folder = addViewer("Acrobat", false);
  const std::vector<std::string> lines = drive(
      "wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\ndump\nclick \"Ďalej >\"\n"
      "wait \"Licenčná zmluva\"\ndump\nclick \"Súhlasím s uvedenou licenčnou zmluvou\"\nclick \"Ďalej >\"\n"
      "wait \"Údaje o používateľovi\"\ndump\ntype Meno: \"  Ján Novák \"\ntype Spoločnosť: Kelbo\ndump\n"
      "click Inštalovať\nwait \"\"\nwait Tarvinst 30\ndump\nclick #1\nexit 5\n");
  // The first pass stops at the user data page, so the run ends in the installation.
  EXPECT_NE(find(lines, "item \"  Adobe Acrobat 1.00 (" + folder + ")\" selected"), -1) << output_;
  EXPECT_EQ(find(lines, "Acrobat Reader 1.00"), -1) << output_;
  const int licence = find(lines, "dialog \"Licenčná zmluva\"");
  ASSERT_NE(licence, -1) << output_;
  EXPECT_NE(find(lines, "\"Podmienky používania TarvekPDF:\"", licence), -1) << output_;
  EXPECT_NE(find(lines, "Edit #231 \"Licenčné podmienky.\"", licence), -1) << output_;
  EXPECT_NE(find(lines, "Button #1 \"Ď&alej >\" disabled", licence), -1) << output_;
  const int user = find(lines, "dialog \"Údaje o používateľovi\"");
  ASSERT_NE(user, -1) << output_;
  EXPECT_NE(find(lines, "Button #1 \"Inšt&alovať\" disabled", user), -1) << output_;
  EXPECT_NE(find(lines, "Button #1 \"Inšt&alovať\" enabled", user + 1), -1) << output_;
  EXPECT_NE(find(lines, "\"Inštalácia úspešne ukončená!\""), -1) << output_;
  EXPECT_NE(find(lines, "exited 0"), -1) << output_;
}

TEST_F(InstallerWizardTest, BackKeepsTheAgreementAndTheStoredUserData) {
  writeFile(medium_ / "LICENCIA.TXT", "Licenčné podmienky.");
  writeConfig("FULL_VERSION=1\r\nTARVEK_EULA=LICENCIA.TXT\r\n");
  addViewer("Acrobat", false);
  const std::vector<std::string> lines = drive(
      "wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\nclick \"Ďalej >\"\n"
      "wait \"Licenčná zmluva\"\nclick \"Súhlasím s uvedenou licenčnou zmluvou\"\nclick \"Ďalej >\"\n"
      "wait \"Údaje o používateľovi\"\ntype Meno: \"  Ján \"\ntype Spoločnosť: Kelbo\n"
      "click \"< Naspäť\"\nwait \"Licenčná zmluva\"\ndump\nclick \"< Naspäť\"\n"
      "wait \"Výber cieľového adresára\"\nclick \"< Naspäť\"\nwait Uvítanie\nclick \"Ďalej >\"\n"
      "wait \"Výber cieľového adresára\"\nclick \"Ďalej >\"\nwait \"Licenčná zmluva\"\nclick \"Ďalej >\"\n"
      "wait \"Údaje o používateľovi\"\ndump\nclick Zrušiť\nwait Tarvinst\nclick #7\nexit\n");
  const int licence = find(lines, "dialog \"Licenčná zmluva\"");
  ASSERT_NE(licence, -1) << output_;
  EXPECT_NE(find(lines, "\"&Súhlasím s uvedenou licenčnou zmluvou\" enabled checked", licence), -1) << output_;
  // Back does not store what was typed: the fields are empty again.
  const int user = find(lines, "dialog \"Údaje o používateľovi\"", licence);
  ASSERT_NE(user, -1) << output_;
  EXPECT_NE(find(lines, "Edit #241 \"\" enabled", user), -1) << output_;
  EXPECT_NE(find(lines, "Button #1 \"Inšt&alovať\" disabled", user), -1) << output_;
  EXPECT_NE(find(lines, "exited 2"), -1) << output_;
}

TEST_F(InstallerWizardTest, TheUserDataPageStartsFromTheMachinesNameAndCompany) {
  writeConfig("FULL_VERSION=1\r\n");
  addViewer("Acrobat", false);
  registry_.writeString(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "Name", "J\xE1n Nov\xE1k");  // code page 1250
  registry_.writeString(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "Company", "Kelbo");
  const std::vector<std::string> lines = drive(
      "wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\nclick \"Ďalej >\"\n"
      "wait \"Údaje o používateľovi\"\ndump\ntype Spoločnosť: \" \"\ndump\nclose\nwait Tarvinst\nclick #7\nexit\n");
  registry_.deleteValue(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "Name");
  registry_.deleteValue(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "Company");
  const int user = find(lines, "dialog \"Údaje o používateľovi\"");
  ASSERT_NE(user, -1) << output_;
  EXPECT_NE(find(lines, "Edit #241 \"Ján Novák\" enabled", user), -1) << output_;
  EXPECT_NE(find(lines, "Edit #242 \"Kelbo\" enabled", user), -1) << output_;
  const int enabled = find(lines, "Button #1 \"Inšt&alovať\" enabled", user);
  ASSERT_NE(enabled, -1) << output_;
  // A company of blanks only turns the forward button off.
  EXPECT_NE(find(lines, "Button #1 \"Inšt&alovať\" disabled", enabled), -1) << output_;
}

TEST_F(InstallerWizardTest, AFolderWithoutDriveLetterShowsNoSpaceAndCannotBeChosen) {
  writeConfig("");
  const std::string folder = addViewer("Reader", true);
  // The same folder named without a drive letter.
  registry_.writeString(Hive::currentUser, kReaderKey, "", "\\\\?\\" + folder);
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\ndump\nclick Inštalovať\n"
            "wait Tarvinst\ndump\nclick OK\nwait \"Výber cieľového adresára\"\nclose\nwait Tarvinst\nclick #7\nexit\n");
  EXPECT_NE(find(lines, "\"Na disku ?: je k dispozícii 0,00 MB.\""), -1) << output_;
  EXPECT_NE(find(lines, "\"Na cieľovom disku nie je dostatok voľného priestoru pre inštaláciu produktu!\""), -1)
      << output_;
  EXPECT_NE(find(lines, "exited 2"), -1) << output_;
}

TEST_F(InstallerWizardTest, AnotherThanTheAssociatedInstallationAsksAndNoStays) {
  writeConfig("");
  addViewer("Reader", true);
  const std::string acrobat = addViewer("Acrobat", false);
  registry_.writeString(Hive::classesRoot, ".pdf", "", "TarvekTest.Document");
  registry_.writeString(Hive::classesRoot, "TarvekTest.Document\\shell\\open\\command", "",
                        "\"" + acrobat + "Acrobat.exe\" \"%1\"");
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\ndump\n"
            "select #221 \"  Acrobat Reader 1.00 (" + (viewers_ / "Reader") + "\\\\)\"\nclick Inštalovať\n"
            "wait Tarvinst\ndump\nclick #7\nwait \"Výber cieľového adresára\"\ndump\nclose\nwait Tarvinst\nclick #7\n"
            "exit\n");
  registry_.deleteKeyTree(Hive::classesRoot, ".pdf");
  registry_.deleteKeyTree(Hive::classesRoot, "TarvekTest.Document");
  // The associated Acrobat is the default, listed second and selected.
  EXPECT_NE(find(lines, "item \"  Adobe Acrobat 1.00 (" + acrobat + ")\" selected"), -1) << output_;
  const int question = find(lines, "Zvolili ste inú ako prednastavenú verziu programu Acrobat.");
  ASSERT_NE(question, -1) << output_;
  EXPECT_NE(find(lines, "dialog \"Výber cieľového adresára\"", question), -1) << output_;
  EXPECT_NE(find(lines, "exited 2"), -1) << output_;
}

TEST_F(InstallerWizardTest, ANewerPlugInAlreadyInstalledAsksBeforeReplacingIt) {
  writeConfig("");
  const std::string folder = addViewer("Reader", true);
  copy(TARVEK_NEWER_PLUGIN, folder + "Plug_ins\\Tarvek\\query.API");  // 2.3.4.5, the medium's is 1.0.1.9
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\ndump\nclick Inštalovať\n"
            "wait Tarvinst\ndump\nclick #7\nwait \"Výber cieľového adresára\"\nclose\nwait Tarvinst\nclick #7\nexit\n");
  EXPECT_NE(find(lines, "item \"* Acrobat Reader 1.00 (" + folder + ")\" selected"), -1) << output_;
  const int label = find(lines, "WwwBut #222 \"L* Pre zvolenú verziu prehliadača je už TarvekPDF Search nainštalovaný\"");
  ASSERT_NE(label, -1) << output_;
  EXPECT_EQ(lines[label].find("hidden"), std::string::npos) << lines[label];
  EXPECT_NE(find(lines, "\"Vo Vašom počítači je nainštalovaná vyšsia verzia produktu TarvekPDF Search (2.3.4.5)"), -1)
      << output_;
  EXPECT_NE(find(lines, "\\x0Aako je verzia na inštalačnom médiu (1.0.1.9).\\x0A\\x0AChcete pokračovať v inštalácii?"),
            -1) << output_;
  EXPECT_NE(find(lines, "exited 2"), -1) << output_;
}

TEST_F(InstallerWizardTest, ARunningViewerKeepsTheWelcomePageOpenButNotInLowerCase) {
  writeConfig("");
  addViewer("Reader", true);
  const std::string script =
      "wait Uvítanie\nclick \"Ďalej >\"\nwait Tarvinst 2\ndump\nclick OK\nwait \"Výber cieľového adresára\" 2\n"
      "close\nwait Tarvinst\nclick #7\nexit\n";
  for (const char* title : {"Adobe Reader - x.pdf", "adobe reader - x.pdf"}) {
    HWND window = CreateWindowA("STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> lines = drive(script);
    DestroyWindow(window);
    const bool refused = title[0] == 'A';
    EXPECT_EQ(find(lines, "\"Pred inštaláciou musíte ukončiť aplikácie Adobe® Acrobat® a Acrobat® Reader!\"") != -1,
              refused) << title << "\n" << output_;
    EXPECT_EQ(find(lines, "shown \"Výber cieľového adresára\"") != -1, !refused) << title << "\n" << output_;
  }
}

TEST_F(InstallerWizardTest, CancelYesKeepsThePageAndCancelNoEndsWithoutInstalling) {
  TearDown();  // what an earlier installation may have left
  writeConfig("");
  const std::string viewer = addViewer("Reader", true);
  const std::vector<std::string> lines =
      drive("wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\nclick Zrušiť\nwait Tarvinst\ndump\n"
            "click #6\nwait \"Výber cieľového adresára\"\ndump\nclick Zrušiť\nwait Tarvinst\nclick #7\nexit\n");
  const int question = find(lines, "Inštalácia nie je dokončená. Pokiaľ teraz ukončíte inštalačný program,\\x0A"
                                   "programové vybavenie nebude nainštalované.\\x0A\\x0AChcete pokračovať v inštalácii?");
  ASSERT_NE(question, -1) << output_;
  EXPECT_NE(find(lines, "dialog \"Výber cieľového adresára\"", question), -1) << output_;
  EXPECT_NE(find(lines, "exited 2"), -1) << output_;
  EXPECT_EQ(find(lines, "shown \"\""), -1) << output_;  // no progress window
  // Nothing reached the registry, the Windows folder or the viewer folder.
  std::string value;
  EXPECT_NE(registry_.readString(Hive::localMachine, "Software\\Kelbo\\TarvekPDF", "ActiveIndexesPath", &value),
            RegStatus::ok);
  EXPECT_NE(registry_.readString(Hive::localMachine,
                                 "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TarvekPDFSearch",
                                 "DisplayName", &value),
            RegStatus::ok);
  char windows[MAX_PATH] = {};
  ASSERT_TRUE(GetWindowsDirectoryA(windows, MAX_PATH));
  EXPECT_EQ(GetFileAttributesA((std::string(windows) + "\\ZaZiruDA.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((viewer + "Plug_ins").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The window and dialog procedures by the plain names the resources and
// other programs look them up by.
TEST(InstallerExportsTest, TheNineProceduresAreExportedByPlainName) {
  std::string path = TARVEK_TARVINST_EXE;
  for (char& c : path)
    if (c == '/') c = '\\';
  HMODULE program = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(program, nullptr) << GetLastError();
  for (const char* name : {"DialInstDlgProc", "ProgressWndProc", "DlgIconWndProc", "BmpButWndProc", "LineButWndProc",
                           "ProgButWndProc", "WwwButWndProc", "SearchInstEnum", "SearchAppsEnum"})
    EXPECT_NE(GetProcAddress(program, name), nullptr) << name;
  FreeLibrary(program);
}

TEST_F(InstallerWizardTest, ASecondInstanceIsRefused) {
  writeConfig("");
  std::string command = "\"" + (medium_ / "tarvinst.exe") + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION first{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &first));
  for (int i = 0; i < 250 && !FindWindowA("TARVINST", nullptr); ++i) Sleep(20);
  const std::vector<std::string> lines = drive("wait Tarvinst\ndump\nclick OK\nexit\n");
  TerminateProcess(first.hProcess, 0);
  WaitForSingleObject(first.hProcess, 5000);
  CloseHandle(first.hThread);
  CloseHandle(first.hProcess);
  EXPECT_NE(find(lines, "\"Túto aplikáciu možno spustiť len raz!\""), -1) << output_;
  EXPECT_NE(find(lines, "exited 1"), -1) << output_;
}

TEST_F(InstallerWizardTest, TheBuiltMediumInstallsIntoAViewerThatThenLoadsThePlugIn) {
  // The medium as `make medium` lays it out, and the stand-in viewer as the
  // Acrobat Reader 6.0 it plays.
  const std::string source = nativePath(TARVEK_MEDIUM_DIR) + "\\";
  for (const char* name : {"tarvinst.exe", "TARVINST.INF", "LICENCIA.TXT", "ZaZiruDA.exe", "PLUGIN\\query.API",
                           "PLUGIN\\vovar_av.dll", "PLUGIN\\NOTICE.txt"})
    copy(source + name, medium_ / name);
  for (const char* language : {"sk", "en", "cs", "fr", "de", "hu", "pl", "it", "es"})
    copy(source + "PLUGIN\\ling_" + language + ".tld", medium_ / ("PLUGIN\\ling_" + std::string(language) + ".tld"));
  // Registered where an installer looks for Reader 5.0 and later.
  const std::string folder = viewers_ / "Reader6" + "\\";
  copy(TARVEK_VIEWER_EXE, folder + "AcroRd32.exe");
  registry_.writeString(Hive::currentUser, "Software\\Adobe\\Acrobat Reader\\6.0\\InstallPath", "", folder);
  const std::vector<std::string> lines = drive(
      "wait Uvítanie\nclick \"Ďalej >\"\nwait \"Výber cieľového adresára\"\ndump\nclick \"Ďalej >\"\n"
      "wait \"Licenčná zmluva\"\nclick \"Súhlasím s uvedenou licenčnou zmluvou\"\nclick Inštalovať\n"
      "wait \"\"\nwait Tarvinst 30\ndump\nclick #1\nexit\n");
  EXPECT_NE(find(lines, "item \"  Acrobat Reader 6.00 (" + folder + ")\" selected"), -1) << output_;
  EXPECT_NE(find(lines, "\"Inštalácia úspešne ukončená!\""), -1) << output_;
  EXPECT_NE(find(lines, "exited 0"), -1) << output_;

  // The viewer started afterwards loads the installed plug-in and its engine.
  writeFile(medium_ / "viewer.script", "menus\nquit\n");
  const std::vector<std::string> viewer =
      runCapturing("\"" + folder + "AcroRd32.exe\" --script \"" + (medium_ / "viewer.script") + "\"", folder);
  const std::string shown = joined(viewer);
  EXPECT_NE(find(viewer, "menu VELT:fIDXSubmenu \"&TarvekPDF\""), -1) << shown;
  EXPECT_NE(find(viewer, "tool VELT:TarvekQuerySearch"), -1) << shown;
  EXPECT_EQ(find(viewer, "vovar_av.dll"), -1) << "the engine loads: " << shown;
}

}  // namespace
}  // namespace tarvek::testing
