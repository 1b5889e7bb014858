// query.API in the stand-in viewer, driven by scripts: the menus and buttons
// it makes, and how it starts and stops when the viewer or its folder is not
// what it expects.
#include <gtest/gtest.h>

#include "tests/win32/ViewerRun.h"

namespace tarvek::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines kRemovedAndReleased = {
    "removed item VELT:Search",          "released item VELT:Search",
    "removed item VELT:SearchResults",   "released item VELT:SearchResults",
    "removed item VELT:TarvekSeparator", "released item VELT:TarvekSeparator",
    "removed item VELT:PreviousHit",     "released item VELT:PreviousHit",
    "removed item VELT:NextHit",         "released item VELT:NextHit",
    "removed item VELT:PreviousFile",    "released item VELT:PreviousFile",
    "removed item VELT:NextFile",        "released item VELT:NextFile",
};

Lines concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// Nothing a plug-in made or acquired may outlive its unload.
void expectNothingLeft(const Lines& output) {
  for (const std::string& line : output) {
    EXPECT_EQ(line.rfind("unreleased", 0), std::string::npos) << line;
    EXPECT_EQ(line.rfind("left in menu", 0), std::string::npos) << line;
    EXPECT_EQ(line.rfind("still loaded", 0), std::string::npos) << line;
    EXPECT_EQ(line.rfind("error", 0), std::string::npos) << line;
  }
  ASSERT_FALSE(output.empty());
  EXPECT_EQ(output.back(), "quit");
}

Lines pluginMenus(const Lines& output) {
  Lines found;
  for (const std::string& line : output)
    if (line.find("VELT") != std::string::npos && line.rfind("menu ", 0) != 0 &&
        line.find("item ") != std::string::npos)
      found.push_back(line);
  return found;
}

TEST(ViewerPlugInTest, MenusAndButtonsCarryTheirSlovakTextsShortcutsAndPlaces) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run(
      "menus\n"
      "enabled VELT:Search\nenabled VELT:SearchResults\nenabled VELT:NextFile\nenabled VELT:TarvekQuerySearch\n"
      "enabled VELT:TarvekQueryNextHit\n"
      "menu VELT:PreviousHit\ntool VELT:TarvekQueryResults\nmenu VELT:Search\ntool VELT:TarvekQuerySearch\n"
      "menu VELT:About\nmenu VELT:HelpTarvekQueryMenu\nlog\nquit\n");
  const Lines expected = concat({
      {
          "plugin Plug_ins\\Tarvek\\query.API",
          "PlugInMain true version 0x00020000",
          "handshake VELT_fIDXQuery",
          "init VELT_fIDXQuery true",
          "menu File \"&File\"",
          "  item ViewerTestDialog \"&Test dialog...\" shortcut none modifiers 0",
          "  item Exit \"E&xit\" shortcut none modifiers 0",
          "menu Help \"&Help\"",
          "  menu AboutExtensions \"About Plug-ins\"",
          "    item VELT:About \"TarvekPDF Search...\" shortcut none modifiers 0",
          "  menu UsingExtensions \"Plug-in Help\"",
          "    item VELT:HelpTarvekQueryMenu \"TarvekPDF Search...\" shortcut none modifiers 0",
          "menu VELT:fIDXSubmenu \"&TarvekPDF\"",
          "  item VELT:Search \"&Vyhľadanie...\" shortcut * modifiers 2",
          "  item VELT:SearchResults \"Výsledky &hľadania...\" shortcut * modifiers 1",
          "  item VELT:TarvekSeparator \"-\" shortcut none modifiers 0",
          "  item VELT:PreviousHit \"&Predošlá strana\" shortcut P modifiers 4",
          "  item VELT:NextHit \"&Nasledujúca strana\" shortcut L modifiers 4",
          "  item VELT:PreviousFile \"Predošlý &súbor\" shortcut P modifiers 5",
          "  item VELT:NextFile \"Nasledujúci súb&or\" shortcut L modifiers 5",
          "tool Find \"Find\" bitmap 16x16",
          "tool VELT:TarvekQuerySearch \"Hľadať cez TarvekPDF\" bitmap 16x16 4bpp",
          "tool VELT:TarvekQueryResults \"Výsledky hľadania\" bitmap 16x16 4bpp",
          "tool VELT:TarvekQueryPrevHit \"Predošlá strana\" bitmap 16x16 4bpp",
          "tool VELT:TarvekQueryNextHit \"Nasledujúca strana\" bitmap 16x16 4bpp",
          // Before any search only the search command is active.
          "enabled VELT:Search true",
          "enabled VELT:SearchResults false",
          "enabled VELT:NextFile false",
          "enabled VELT:TarvekQuerySearch true",
          "enabled VELT:TarvekQueryNextHit false",
          "disabled VELT:PreviousHit",
          "disabled VELT:TarvekQueryResults",
          "menu VELT:Search",
          "tool VELT:TarvekQuerySearch",
          "menu VELT:About",
          "menu VELT:HelpTarvekQueryMenu",
          "unload VELT_fIDXQuery",
      },
      kRemovedAndReleased,
      {"removed item VELT:About", "released item VELT:About", "removed item VELT:HelpTarvekQueryMenu",
       "released item VELT:HelpTarvekQueryMenu", "quit"},
  });
  EXPECT_EQ(output, expected);
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, AnOlderHandshakeIsAnsweredThenRefusedAtSetup) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run("menus\nquit\n", {"--handshake", "0x00010000"});
  EXPECT_EQ(Lines(output.begin(), output.begin() + 3),
            (Lines{"plugin Plug_ins\\Tarvek\\query.API", "PlugInMain true version 0x00010000", "setup refused"}));
  EXPECT_TRUE(pluginMenus(output).empty());
  EXPECT_TRUE(linesStartingWith(output, "tool VELT").empty());
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, AMissingTableStopsThePlugInAtSetup) {
  for (const char* table : {"Cos", "Win"}) {
    SCOPED_TRACE(table);
    ViewerRun viewer;
    viewer.installPlugIn();
    const Lines output = viewer.run("menus\nquit\n", {"--lack-table", table});
    EXPECT_EQ(linesStartingWith(output, "setup refused").size(), 1u);
    EXPECT_TRUE(linesStartingWith(output, "handshake").empty());
    EXPECT_TRUE(pluginMenus(output).empty());
    expectNothingLeft(output);
  }
}

TEST(ViewerPlugInTest, AnExistingSubmenuGetsTheItemsInItsOwnPlace) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run("menus\nquit\n", {"--existing-menu", "VELT:fIDXSubmenu"});
  const Lines menus = linesStartingWith(output, "menu ");
  // The viewer's menu keeps its place and title; no second one is added.
  EXPECT_EQ(menus, (Lines{"menu File \"&File\"", "menu VELT:fIDXSubmenu \"VELT:fIDXSubmenu\"", "menu Help \"&Help\""}));
  EXPECT_EQ(linesStartingWith(output, "  item VELT:").size(), 7u);
  EXPECT_EQ(linesStartingWith(output, "init VELT_fIDXQuery true").size(), 1u);
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, WithoutAboutExtensionsThePlugInStartsWithoutItsAboutItem) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run("menus\nquit\n", {"--lack-menu", "AboutExtensions"});
  EXPECT_EQ(linesStartingWith(output, "init VELT_fIDXQuery true").size(), 1u);
  for (const std::string& line : output) EXPECT_EQ(line.find("VELT:About"), std::string::npos) << line;
  EXPECT_EQ(linesStartingWith(output, "    item VELT:HelpTarvekQueryMenu").size(), 1u);
  EXPECT_EQ(linesStartingWith(output, "removed item").size(), 8u);
  EXPECT_EQ(linesStartingWith(output, "released item").size(), 8u);
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, AnEngineOnlyElsewhereGivesOneAlertAndNoCommands) {
  ViewerRun viewer;
  viewer.installPlugIn(false);
  // Copies where a search by name would find them: the viewer's own folder
  // and a folder on PATH.
  viewer.copyInto(TARVEK_ENGINE_DOUBLE, "vovar_av.dll");
  viewer.copyInto(TARVEK_ENGINE_DOUBLE, "onpath\\vovar_av.dll");
  const Lines output = viewer.run(
      "wait Viewer 10\ndump\nclick OK\nwait Viewer 1\nmenus\nlog\nquit\n", {}, viewer.folder() + "\\onpath");
  EXPECT_EQ(linesStartingWith(output, "shown \"Viewer\"").size(), 1u);
  EXPECT_EQ(linesStartingWith(output, "dialog \"Viewer\"").size(), 1u);
  EXPECT_EQ(linesStartingWith(output, "timeout \"Viewer\"").size(), 1u);  // no second alert
  bool messageShown = false;
  for (const std::string& line : output)
    if (line.find("\"Nie je možné spustiť (nájsť) modul vovar_av.dll\"") != std::string::npos &&
        line.rfind("  Static", 0) == 0)
      messageShown = true;
  EXPECT_TRUE(messageShown);
  EXPECT_EQ(linesStartingWith(output, "alert "), (Lines{"alert \"Nie je možné spustiť (nájsť) modul vovar_av.dll\""}));
  EXPECT_EQ(linesStartingWith(output, "init VELT_fIDXQuery false").size(), 1u);
  EXPECT_TRUE(pluginMenus(output).empty());
  EXPECT_TRUE(linesStartingWith(output, "tool VELT").empty());
  EXPECT_TRUE(linesStartingWith(output, "removed item").empty());
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, ANullItemStopsInitialisationAndUnloadReleasesTheItemsMade) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run("menus\nquit\n", {"--null-item", "VELT:PreviousHit"});
  EXPECT_EQ(linesStartingWith(output, "init VELT_fIDXQuery false").size(), 1u);
  EXPECT_TRUE(linesStartingWith(output, "menu VELT:fIDXSubmenu").empty());
  EXPECT_TRUE(linesStartingWith(output, "tool VELT").empty());
  EXPECT_EQ(linesStartingWith(output, "released item"),
            (Lines{"released item VELT:Search", "released item VELT:SearchResults",
                   "released item VELT:TarvekSeparator"}));
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, WithoutAMenuBarInitialisationFailsAndTheEngineIsFreed) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run("quit\n", {"--no-menubar"});
  EXPECT_EQ(linesStartingWith(output, "init VELT_fIDXQuery false").size(), 1u);
  EXPECT_TRUE(linesStartingWith(output, "removed item").empty());
  expectNothingLeft(output);
}

TEST(ViewerPlugInTest, ButtonsTheViewerDoesNotMakeAreLeftOut) {
  ViewerRun viewer;
  viewer.installPlugIn();
  const Lines output = viewer.run("menus\nquit\n", {"--null-button", "VELT:TarvekQueryResults"});
  EXPECT_EQ(linesStartingWith(output, "init VELT_fIDXQuery true").size(), 1u);
  EXPECT_EQ(linesStartingWith(output, "tool VELT").size(), 3u);
  expectNothingLeft(output);
}

}  // namespace
}  // namespace tarvek::testing
