// The plug-in's lifecycle against a recording viewer: the handshake steps,
// what initialisation makes and in which order, and what unload takes down.
#include "host/PlugIn.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/ButtonBitmaps.h"
#include "host/Commands.h"
#include "host/Procedures.h"
#include "search/SearchResultSet.h"
#include "tests/fakes/FakeServices.h"
#include "tests/native/FakeHost.h"

namespace tarvek::host {
namespace {

using testing::FakeHost;
using Calls = std::vector<std::string>;

constexpr char kFolder[] = "C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\Plug_ins\\Tarvek";
const std::string kEnginePath = std::string(kFolder) + "\\vovar_av.dll";

struct FakeBitmaps final : ButtonBitmaps {
  AVIcon bitmap(size_t index) override { return reinterpret_cast<AVIcon>(index + 0x100); }
};

struct RecordingCommands final : Commands {
  void run(Command command) override { ran.push_back(command); }
  void createDialogs() override { ++created; }
  void destroyDialogs() override { ++destroyed; }
  std::vector<Command> ran;
  int created = 0, destroyed = 0;
};

class PlugInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env.libraries.add(kEnginePath, {});
    setActivePlugIn(&plugIn);
  }
  void TearDown() override { setActivePlugIn(nullptr); }

  // Runs setup and handshake as the viewer does; true iff both agree.
  bool handshake(uint32_t version = kHandshakeVersion) { return handshakeOn(fake, version); }
  bool handshakeOn(FakeHost& host, uint32_t version = kHandshakeVersion) {
    SdkDataRecord sdk{version, host.extension(), host.core(), nullptr};
    if (!setupProcedure(version, &sdk)) return false;
    auto procedure = reinterpret_cast<HandshakeProc>(host.procedure(sdk.handshake));
    if (!procedure) return false;
    std::memset(&record, 0x5A, sizeof record);
    return procedure(version, &record) != 0;
  }
  // Handshake, then the initialisation procedure from the record; the calls
  // of the handshake are cleared.
  bool start() {
    if (!handshake()) return false;
    fake.calls.clear();
    return reinterpret_cast<InitProc>(fake.procedure(record.init))() != 0;
  }
  void unload() {
    fake.calls.clear();
    EXPECT_EQ(reinterpret_cast<UnloadProc>(fake.procedure(record.unload))(), 1);
  }
  Calls callsStartingWith(const std::string& prefix) const {
    Calls found;
    for (const std::string& call : fake.calls)
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    return found;
  }
  const FakeHost::Item& item(const std::string& name) const {
    for (const auto& each : fake.items)
      if (each.name == name) return each;
    throw std::runtime_error("no item " + name);
  }

  FakeHost fake;
  testing::FakeEnv env;
  FakeBitmaps bitmaps;
  RecordingCommands commands;
  PlugIn plugIn{{env.module, env.libraries, bitmaps, commands}};
  HandshakeRecord record{};
};

TEST_F(PlugInTest, PlugInMainAnswersOlderViewersWithTheirOwnVersion) {
  EXPECT_EQ(answeredHandshakeVersion(0x00010000), 0x00010000u);
  EXPECT_EQ(answeredHandshakeVersion(0x00020000), 0x00020000u);
  EXPECT_EQ(answeredHandshakeVersion(0x00030000), 0x00020000u);
}

TEST_F(PlugInTest, SetupRefusesAnyOtherHandshakeVersionWithoutAskingForTables) {
  for (uint32_t version : {0x00010000u, 0x00020001u, 0x00030000u}) {
    SCOPED_TRACE(version);
    SdkDataRecord sdk{version, fake.extension(), fake.core(), nullptr};
    EXPECT_EQ(setupProcedure(version, &sdk), 0);
    EXPECT_EQ(sdk.handshake, nullptr);
  }
  // The record's own field counts too.
  SdkDataRecord sdk{0x00010000, fake.extension(), fake.core(), nullptr};
  EXPECT_EQ(setupProcedure(kHandshakeVersion, &sdk), 0);
  EXPECT_EQ(setupProcedure(kHandshakeVersion, nullptr), 0);
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(PlugInTest, SetupAsksForEachTableOnceInOrderAndStopsAtAMissingOne) {
  ASSERT_TRUE(handshake());
  EXPECT_EQ(fake.calls, (Calls{"ASExtensionMgrGetHFT AcroSupport 262144", "ASExtensionMgrGetHFT Cos 262144",
                               "ASExtensionMgrGetHFT PDModel 262144", "ASExtensionMgrGetHFT AcroView 262144",
                               "ASExtensionMgrGetHFT Win 262144"}));
  for (const char* missing : {"AcroSupport", "PDModel", "Win"}) {
    SCOPED_TRACE(missing);
    FakeHost other;
    other.missingTables = {missing};
    PlugIn fresh{{env.module, env.libraries, bitmaps, commands}};
    setActivePlugIn(&fresh);
    SdkDataRecord sdk{kHandshakeVersion, other.extension(), other.core(), nullptr};
    EXPECT_EQ(setupProcedure(kHandshakeVersion, &sdk), 0);
    EXPECT_EQ(sdk.handshake, nullptr);
    EXPECT_EQ(other.calls.back(), "ASExtensionMgrGetHFT " + std::string(missing) + " 262144");
    // Refused means not started: no handshake follows on this plug-in.
    HandshakeRecord unused{};
    EXPECT_EQ(handshakeProcedure(kHandshakeVersion, &unused), 0);
  }
}

TEST_F(PlugInTest, HandshakeNamesThePlugInAndLeavesTheViewersBytesAlone) {
  ASSERT_TRUE(handshake());
  EXPECT_EQ(fake.atomText(record.extensionName), "VELT_fIDXQuery");
  EXPECT_EQ(record.importReplaceAndRegister, nullptr);
  EXPECT_EQ(fake.procedure(record.init), reinterpret_cast<ASProc>(&initProcedure));
  EXPECT_EQ(fake.procedure(record.unload), reinterpret_cast<ASProc>(&unloadProcedure));
  for (uint8_t byte : record.viewerOwned0) EXPECT_EQ(byte, 0x5A);
  for (uint8_t byte : record.viewerOwned8) EXPECT_EQ(byte, 0x5A);
  EXPECT_EQ(handshakeProcedure(0x00010000, &record), 0);
}

TEST_F(PlugInTest, InitialisationMakesMenusAndButtonsInTheirOrder) {
  ASSERT_TRUE(start());
  const Calls menus = {
      "AVAppGetMenubar",
      "AVMenubarAcquireMenuByName VELT:fIDXSubmenu",
      "AVMenuNew &TarvekPDF VELT:fIDXSubmenu",
      "AVMenuItemNew &Vyhľadanie... VELT:Search * 2",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:Search 9999",
      "AVMenuItemNew Výsledky &hľadania... VELT:SearchResults * 1",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:SearchResults 9999",
      "AVMenuItemNew - VELT:TarvekSeparator 0 0",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:TarvekSeparator 9999",
      "AVMenuItemNew &Predošlá strana VELT:PreviousHit P 4",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:PreviousHit 9999",
      "AVMenuItemNew &Nasledujúca strana VELT:NextHit L 4",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:NextHit 9999",
      "AVMenuItemNew Predošlý &súbor VELT:PreviousFile P 5",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:PreviousFile 9999",
      "AVMenuItemNew Nasledujúci súb&or VELT:NextFile L 5",
      "AVMenuAddMenuItem VELT:fIDXSubmenu VELT:NextFile 9999",
      "AVMenubarAcquireMenuByName AboutExtensions",
      "AVMenuItemNew TarvekPDF Search... VELT:About 0 0",
      "AVMenuAddMenuItem AboutExtensions VELT:About 9999",
      "AVMenuRelease AboutExtensions",
      "AVMenubarAddMenu VELT:fIDXSubmenu 9999",
      "AVMenubarAcquireMenuByName UsingExtensions",
      "AVMenuItemNew TarvekPDF Search... VELT:HelpTarvekQueryMenu 0 0",
      "AVMenuAddMenuItem UsingExtensions VELT:HelpTarvekQueryMenu 9999",
      "AVMenuRelease UsingExtensions",
      "AVMenuRelease VELT:fIDXSubmenu",
      "AVAppGetToolBar",
      "AVToolBarGetButtonByName Find",
  };
  ASSERT_GE(fake.calls.size(), menus.size());
  EXPECT_EQ(Calls(fake.calls.begin(), fake.calls.begin() + menus.size()), menus);
  EXPECT_EQ(Calls(fake.calls.begin() + menus.size(), fake.calls.end()),
            (Calls{"AVToolButtonNew VELT:TarvekQuerySearch icon 1 0", "AVToolBarAddButton VELT:TarvekQuerySearch 0",
                   "AVToolButtonNew VELT:TarvekQueryResults icon 1 0", "AVToolBarAddButton VELT:TarvekQueryResults 0",
                   "AVToolButtonNew VELT:TarvekQueryPrevHit icon 1 0", "AVToolBarAddButton VELT:TarvekQueryPrevHit 0",
                   "AVToolButtonNew VELT:TarvekQueryNextHit icon 1 0",
                   "AVToolBarAddButton VELT:TarvekQueryNextHit 0"}));
  EXPECT_TRUE(fake.heldMenus.empty());
  EXPECT_EQ(env.libraries.loadRequests(), (std::vector<std::string>{kEnginePath}));
  EXPECT_EQ(env.libraries.openCount(), 1);
  EXPECT_EQ(commands.created, 1);

  std::vector<std::string> tooltips;
  for (const auto& button : fake.buttons) tooltips.push_back(button.helpText);
  EXPECT_EQ(tooltips, (std::vector<std::string>{"Hľadať cez TarvekPDF", "Výsledky hľadania", "Predošlá strana",
                                                "Nasledujúca strana"}));
}

TEST_F(PlugInTest, ItemsAndButtonsRunTheirCommandsAndAskTheirEnableRules) {
  ASSERT_TRUE(start());
  auto run = [&](ASCallback callback) { reinterpret_cast<ExecuteProc>(fake.procedure(callback))(nullptr); };
  auto enabled = [&](ASCallback callback) {
    return reinterpret_cast<ComputeEnabledProc>(fake.procedure(callback))(nullptr);
  };
  EXPECT_EQ(item("VELT:TarvekSeparator").execute, nullptr);
  EXPECT_EQ(item("VELT:TarvekSeparator").enable, nullptr);
  EXPECT_EQ(item("VELT:About").enable, nullptr);
  EXPECT_EQ(item("VELT:HelpTarvekQueryMenu").enable, nullptr);

  EXPECT_EQ(enabled(item("VELT:Search").enable), 1);
  EXPECT_EQ(enabled(fake.buttons[0].enable), 1);
  const char* whenFiles[] = {"VELT:SearchResults", "VELT:PreviousHit", "VELT:NextHit", "VELT:PreviousFile",
                             "VELT:NextFile"};
  for (const char* name : whenFiles) EXPECT_EQ(enabled(item(name).enable), 0) << name;
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(enabled(fake.buttons[i].enable), 0) << i;
  processResultSet().addFile("d:\\pdf\\a.pdf", 3);
  for (const char* name : whenFiles) EXPECT_EQ(enabled(item(name).enable), 1) << name;
  for (size_t i = 1; i < 4; ++i) EXPECT_EQ(enabled(fake.buttons[i].enable), 1) << i;
  processResultSet().clear();

  run(item("VELT:Search").execute);
  run(item("VELT:NextFile").execute);
  run(item("VELT:About").execute);
  run(item("VELT:HelpTarvekQueryMenu").execute);
  run(fake.buttons[3].execute);
  run(fake.buttons[1].execute);
  EXPECT_EQ(commands.ran, (std::vector<Command>{Command::search, Command::nextFile, Command::about, Command::help,
                                                Command::nextHit, Command::results}));
}

TEST_F(PlugInTest, UnloadRemovesAndReleasesEveryItemAndFreesTheEngine) {
  ASSERT_TRUE(start());
  unload();
  Calls expected;
  for (const char* name : {"VELT:Search", "VELT:SearchResults", "VELT:TarvekSeparator", "VELT:PreviousHit",
                           "VELT:NextHit", "VELT:PreviousFile", "VELT:NextFile", "VELT:About",
                           "VELT:HelpTarvekQueryMenu"}) {
    expected.push_back(std::string("AVMenuItemRemove ") + name);
    expected.push_back(std::string("AVMenuItemRelease ") + name);
  }
  EXPECT_EQ(fake.calls, expected);
  EXPECT_TRUE(fake.heldItems.empty());
  EXPECT_TRUE(fake.itemsInMenus.empty());
  EXPECT_EQ(env.libraries.openCount(), 0);
  EXPECT_EQ(commands.destroyed, 1);
  // A second unload has nothing left to release.
  unload();
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(PlugInTest, AnExistingSubmenuTakesTheItemsAndIsNotAddedAgain) {
  fake.menus.insert("VELT:fIDXSubmenu");
  ASSERT_TRUE(start());
  EXPECT_TRUE(callsStartingWith("AVMenuNew").empty());
  EXPECT_TRUE(callsStartingWith("AVMenubarAddMenu").empty());
  EXPECT_EQ(callsStartingWith("AVMenuAddMenuItem VELT:fIDXSubmenu").size(), 7u);
  EXPECT_TRUE(fake.heldMenus.empty());
}

TEST_F(PlugInTest, WithoutTheAboutOrHelpMenuThatItemIsNotMade) {
  fake.menus = {"UsingExtensions"};
  ASSERT_TRUE(start());
  EXPECT_TRUE(callsStartingWith("AVMenuItemNew TarvekPDF Search... VELT:About").empty());
  EXPECT_EQ(callsStartingWith("AVMenuAddMenuItem UsingExtensions").size(), 1u);
  unload();
  EXPECT_EQ(callsStartingWith("AVMenuItemRemove").size(), 8u);
  EXPECT_TRUE(fake.heldItems.empty());
}

TEST_F(PlugInTest, AnEngineOnlyElsewhereIsNotFoundAndNothingIsMade) {
  testing::FakeEnv other;
  other.libraries.add("C:\\Windows\\System32\\vovar_av.dll", {});
  other.libraries.add("C:\\Program Files\\Adobe\\Acrobat 4.0\\Reader\\vovar_av.dll", {});
  PlugIn lonely{{other.module, other.libraries, bitmaps, commands}};
  setActivePlugIn(&lonely);
  EXPECT_FALSE(start());
  EXPECT_EQ(fake.calls, (Calls{"AVAlertNote Nie je možné spustiť (nájsť) modul vovar_av.dll"}));
  EXPECT_EQ(other.libraries.loadRequests(), (std::vector<std::string>{kEnginePath}));
  EXPECT_EQ(commands.created, 0);
  unload();
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_EQ(commands.destroyed, 1);
}

TEST_F(PlugInTest, ANullItemStopsInitialisationAndUnloadTakesWhatWasMade) {
  fake.nullItems = {"VELT:TarvekSeparator"};
  EXPECT_FALSE(start());
  EXPECT_TRUE(callsStartingWith("AVAppGetToolBar").empty());
  EXPECT_EQ(commands.created, 0);
  // The submenu made for the items is not left held.
  EXPECT_TRUE(fake.heldMenus.empty());
  unload();
  EXPECT_EQ(fake.calls, (Calls{"AVMenuItemRemove VELT:Search", "AVMenuItemRelease VELT:Search",
                               "AVMenuItemRemove VELT:SearchResults", "AVMenuItemRelease VELT:SearchResults"}));
  EXPECT_EQ(env.libraries.openCount(), 0);
}

TEST_F(PlugInTest, NoMenuBarFailsAfterTheEngineLoaded) {
  fake.hasMenubar = false;
  EXPECT_FALSE(start());
  EXPECT_EQ(fake.calls, (Calls{"AVAppGetMenubar"}));
  EXPECT_EQ(env.libraries.openCount(), 1);
  unload();
  EXPECT_EQ(env.libraries.openCount(), 0);
}

TEST_F(PlugInTest, ButtonsAndAboutItemsTheViewerDoesNotMakeAreLeftOut) {
  fake.nullButtons = {"VELT:TarvekQueryResults"};
  fake.nullItems = {"VELT:About", "VELT:HelpTarvekQueryMenu"};
  ASSERT_TRUE(start());
  EXPECT_EQ(fake.buttons.size(), 3u);
  EXPECT_EQ(callsStartingWith("AVToolBarAddButton").size(), 3u);
  unload();
  EXPECT_EQ(callsStartingWith("AVMenuItemRemove").size(), 7u);
}

// The viewer raises when it runs out of memory making or adding a menu, an
// item or a button. A button is then left out; a submenu or an item of it
// stops the initialisation, and unload still takes what was made.
TEST_F(PlugInTest, RunningOutOfMemoryInTheViewerIsANullAnswer) {
  fake.outOfMemoryFor = {"VELT:TarvekQueryResults", "add VELT:TarvekQueryNextHit"};
  ASSERT_TRUE(start());
  EXPECT_EQ(callsStartingWith("AVToolBarAddButton"),
            (Calls{"AVToolBarAddButton VELT:TarvekQuerySearch 0", "AVToolBarAddButton VELT:TarvekQueryPrevHit 0",
                   "AVToolBarAddButton VELT:TarvekQueryNextHit 0"}));
  ASSERT_EQ(fake.buttons.size(), 3u);
  EXPECT_EQ(fake.buttons[2].helpText, "") << "a button not on the bar gets nothing more";
  EXPECT_NE(fake.buttons[1].execute, nullptr);

  for (const char* raising : {"VELT:fIDXSubmenu", "bar VELT:fIDXSubmenu", "add VELT:SearchResults"}) {
    SCOPED_TRACE(raising);
    FakeHost other;
    other.outOfMemoryFor = {raising};
    PlugIn fresh{{env.module, env.libraries, bitmaps, commands}};
    setActivePlugIn(&fresh);
    ASSERT_TRUE(handshakeOn(other));
    EXPECT_EQ(reinterpret_cast<InitProc>(other.procedure(record.init))(), 0);
    EXPECT_EQ(reinterpret_cast<UnloadProc>(other.procedure(record.unload))(), 1);
    EXPECT_TRUE(other.heldMenus.empty());
    EXPECT_TRUE(other.heldItems.empty());
    EXPECT_TRUE(other.itemsInMenus.empty());
  }
}

TEST_F(PlugInTest, EnginePathIsThePlugInFolderAndTheEngineName) {
  EXPECT_EQ(enginePathFor("C:\\A\\B\\query.API"), "C:\\A\\B\\vovar_av.dll");
  EXPECT_EQ(enginePathFor("\\\\server\\share\\query.API"), "\\\\server\\share\\vovar_av.dll");
  EXPECT_EQ(enginePathFor("query.API"), "");
}

}  // namespace
}  // namespace tarvek::host
