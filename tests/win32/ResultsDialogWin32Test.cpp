// The results dialog, hit navigation and the step commands in the stand-in
// viewer, driven through its script mode. results-probe.API carries the
// plug-in's real commands and dialogs; it fills the result set from a fixture
// when it initialises (the search's part), so each run starts from the same
// three files: a.pdf (hits on pages 2 and 7 of 10), b.pdf (one hit page) and
// missing.pdf, which is not there.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/win32/Win32Registry.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "tests/win32/ViewerRun.h"

namespace tarvek::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr char kTitle[] = "TarvekPDF Search - Výsledky hľadania";

// A PDF of `pages` pages, each with one line of text in an uncompressed
// content stream: "Strana N slovo slovo ...".
void writePdf(const std::string& path, int pages) {
  std::string body = "%PDF-1.4\n";
  std::string kids;
  for (int i = 0; i < pages; ++i) kids += std::to_string(3 + 2 * i) + " 0 R ";
  body += "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n";
  body += "2 0 obj << /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >> endobj\n";
  for (int i = 0; i < pages; ++i) {
    const std::string text = "BT /F1 11 Tf 56 780 Td (Strana " + std::to_string(i + 1) +
                             " obsahuje slovo zakon a dalsie slova o veciach) Tj ET";
    body += std::to_string(3 + 2 * i) + " 0 obj << /Type /Page /Parent 2 0 R /Contents " + std::to_string(4 + 2 * i) +
            " 0 R >> endobj\n";
    body += std::to_string(4 + 2 * i) + " 0 obj << /Length " + std::to_string(text.size()) + " >>\nstream\n" + text +
            "\nendstream endobj\n";
  }
  body += "trailer << /Root 1 0 R >>\n%%EOF\n";
  std::ofstream(path, std::ios::binary) << body;
}

// The date and time cells of the time value 0, in the system's local time,
// as a file dated before 1900 shows them.
std::string epochCells() {
  SYSTEMTIME utc{1970, 1, 4, 1, 0, 0, 0, 0}, local{};
  SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
  char text[64];
  snprintf(text, sizeof text, "%02u.%02u.%04u | %02u:%02u:%02u", local.wDay, local.wMonth, local.wYear, local.wHour,
           local.wMinute, local.wSecond);
  return text;
}

class ResultsDialogWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    wipeColumns();
    // The search dialog resolves the database path and writes it to both
    // hives; the prefix's registry is shared, so what was there goes back.
    for (Hive hive : {Hive::localMachine, Hive::currentUser})
      oldDatabasePaths.push_back(settings.readProductText(hive, settings::kActiveIndexesPath));
    viewer.copyInto(TARVEK_RESULTS_PROBE_API, "Plug_ins\\Tarvek\\results-probe.API");
    viewer.copyInto(TARVEK_ENGINE_DOUBLE, "Plug_ins\\Tarvek\\vovar_av.dll");
    folder = viewer.folder();
    writePdf(folder + "\\a.pdf", 10);
    writePdf(folder + "\\b.pdf", 3);
    std::ofstream fixture(folder + "\\fixture.txt", std::ios::binary);
    fixture << "zákon\\tA\\nvec\n"
            << folder << "\\a.pdf\t10\tZákony\tAlfa\t1200\t2020 05 01 23 59 00\t2=0x00050003,0x0004000C\t7=0x00030020\n"
            << folder << "\\b.pdf\t3\tVyhlášky\tBeta\t900\t2021 05 01 00 00 01\t1=7,9\n"
            << folder << "\\missing.pdf\t2\tZákony\tGama\t50\t1850 01 01 12 00 00\t0=4\n";
    fixture.close();
    SetEnvironmentVariableA("TARVEK_RESULTS_FIXTURE", (folder + "\\fixture.txt").c_str());
  }
  void TearDown() override {
    wipeColumns();
    const Hive hives[] = {Hive::localMachine, Hive::currentUser};
    for (size_t i = 0; i < oldDatabasePaths.size(); ++i) {
      if (oldDatabasePaths[i].empty())
        registry.deleteValue(hives[i], settings::kProductKey, settings::kActiveIndexesPath);
      else
        settings.writeProductText(hives[i], settings::kActiveIndexesPath, oldDatabasePaths[i]);
    }
  }
  void wipeColumns() { registry.deleteKeyTree(Hive::currentUser, settings::kSearchColumnKey); }

  // Runs the script after opening the results dialog through Search results.
  Lines run(const std::string& script) {
    return viewer.run("menu VELT:SearchResults\nwait \"" + std::string(kTitle) + "\"\n" + script + "quit\n");
  }
  // The lines with the scratch folder written as "DIR".
  Lines withDir(Lines lines) {
    for (std::string& line : lines)
      for (size_t at; (at = line.find(folder)) != std::string::npos;) line.replace(at, folder.size(), "DIR");
    return lines;
  }
  uint32_t stored(int id, settings::ColumnField field) {
    uint32_t value = 0xDEADBEEF;
    registry.readNumber(Hive::currentUser, settings::kSearchColumnKey, settings::columnValueName(id, field), &value);
    return value;
  }

  win32::Win32Registry registry;
  settings::Settings settings{registry};
  std::vector<std::string> oldDatabasePaths;
  ViewerRun viewer;
  std::string folder;
};

// Lines from the first that starts with `first` up to the first line after
// it that starts with `last`.
Lines between(const Lines& output, const std::string& first, const std::string& last) {
  Lines found;
  bool inside = false;
  for (const std::string& line : output) {
    if (!inside && line.rfind(first, 0) == 0) inside = true;
    if (!inside) continue;
    found.push_back(line);
    if (found.size() > 1 && line.rfind(last, 0) == 0) break;
  }
  return found;
}

TEST_F(ResultsDialogWin32Test, FirstUseShowsNineColumnsAndStoresThem) {
  const Lines output = withDir(run("dump\ncolumns #1301\nclick Storno\n"));
  EXPECT_EQ(between(output, "dialog", "  Button #1306"),
            (Lines{
                "dialog \"TarvekPDF Search - Výsledky hľadania\"",
                "  Static #1300 \"Nájdených 4 strán v 3 súboroch obsahujúcich:  zákon A vec\" enabled",
                "  SysListView32 #1301 \"\" enabled",
                "    item \"a.pdf | 3 | 2 | DIR | 01.05.2020 | 23:59:00 | Alfa | 1200 | Zákony\" selected",
                "    item \"b.pdf | 2 | 1 | DIR | 01.05.2021 | 00:00:01 | Beta | 900 | Vyhlášky\"",
                "    item \"missing.pdf | 1 | 1 | DIR | " + epochCells() + " | Gama | 50 | Zákony\"",
                "  Button #1 \"&Zobraziť\" enabled",
                "  Button #2 \"&Storno\" enabled",
                "  Button #1302 \"&Pred. strana\" enabled",
                "  Button #1303 \"&Nasl. strana\" enabled",
                "  Button #1304 \"&Možnosti...\" enabled",
                "  Button #1305 \"&Hľadanie...\" enabled",
                "  Button #1306 \"Z&atvoriť pri zobrazení\" enabled unchecked",
            }));
  const Lines columns = linesStartingWith(output, "column ");
  ASSERT_EQ(columns.size(), 9u);
  EXPECT_EQ(columns[0].substr(0, 17), "column 0 \"Súbor\"");
  EXPECT_NE(columns[8].find("\"Z indexu\""), std::string::npos);
  for (int id = 0; id < 9; ++id) {
    EXPECT_NE(columns[id].find(" tag " + std::to_string(id * 10)), std::string::npos) << columns[id];
    EXPECT_EQ(stored(id, settings::ColumnField::visible), 1u) << id;
    EXPECT_EQ(stored(id, settings::ColumnField::sort), 0u) << id;
    // Saved on the way out: the automatic width, title plus 15 pixels.
    EXPECT_GT(stored(id, settings::ColumnField::width), 15u) << id;
    EXPECT_LT(stored(id, settings::ColumnField::width), 400u) << id;
  }
}

// The rows of the list as dump prints them, without their columns after the
// file name.
Lines rowNames(const Lines& output, size_t dumpNumber) {
  Lines rows;
  size_t seen = 0;
  for (size_t i = 0; i < output.size(); ++i) {
    if (output[i].rfind("dialog \"TarvekPDF", 0) != 0 || seen++ != dumpNumber) continue;
    for (size_t j = i + 1; j < output.size() && output[j].rfind("  Button", 0) != 0; ++j)
      if (output[j].rfind("    item \"", 0) == 0) {
        const std::string& line = output[j];
        rows.push_back(line.substr(10, line.find(' ', 10) - 10) +
                       (line.size() > 9 && line.compare(line.size() - 9, 9, " selected") == 0 ? " selected" : ""));
      }
  }
  return rows;
}

TEST_F(ResultsDialogWin32Test, HeaderClicksSortAndEachColumnKeepsItsDirection) {
  const Lines output = withDir(run(
      "header #1301 Výskytov\ncolumns #1301\ndump\n"
      "header #1301 Súbor\ndump\nheader #1301 Výskytov\ncolumns #1301\ndump\nclick Storno\n"));
  EXPECT_EQ(rowNames(output, 0), (Lines{"missing.pdf", "b.pdf", "a.pdf selected"}));  // the current file follows
  EXPECT_EQ(rowNames(output, 1), (Lines{"a.pdf selected", "b.pdf", "missing.pdf"}));
  EXPECT_EQ(rowNames(output, 2), (Lines{"a.pdf selected", "b.pdf", "missing.pdf"}));  // hits descending
  const Lines columns = linesStartingWith(output, "column ");
  ASSERT_EQ(columns.size(), 18u);
  EXPECT_NE(columns[1].find("\"Výskytov\" width"), std::string::npos);
  EXPECT_EQ(columns[1].substr(columns[1].rfind(" tag ")), " tag 11");
  EXPECT_EQ(columns[9].substr(columns[9].rfind(" tag ")), " tag 1");
  EXPECT_EQ(columns[10].substr(columns[10].rfind(" tag ")), " tag 10");
  EXPECT_EQ(stored(0, settings::ColumnField::sort), 1u);
  EXPECT_EQ(stored(1, settings::ColumnField::sort), 0u);
}

// The list holds no texts of its own; letters typed in it still find a row
// by its file name, as in a list that holds them.
TEST_F(ResultsDialogWin32Test, TypingInTheListSelectsTheRowOfThatFileName) {
  const Lines output = run("chars #1301 mi\ndump\nclick Storno\n");
  EXPECT_EQ(rowNames(output, 0), (Lines{"a.pdf", "b.pdf", "missing.pdf selected"}));
}

TEST_F(ResultsDialogWin32Test, ShowAndPageButtonsWalkTheHitsAndReportAFileThatDoesNotOpen) {
  const Lines output = withDir(run(
      "header #1301 Súbor\nheader #1301 Súbor\nlog\n"  // names descending: missing, b, a
      "dblclick #1301 a.pdf\nlog\nclick \"Nasl. strana\"\nlog\nclick \"Nasl. strana\"\nlog\n"
      "click \"Pred. strana\"\nclick \"Pred. strana\"\nlog\ndump\n"
      "click \"Pred. strana\"\nwait Chyba\ndump\nclick OK\ndump\nclick Storno\n"));
  EXPECT_EQ(between(output, "opened \"DIR\\a.pdf\" pages", "selection \"b.pdf\""),
            (Lines{
                "opened \"DIR\\a.pdf\" pages 10",  // shown at its first hit page, its hits selected
                "page \"a.pdf\" 2",
                "selection \"a.pdf\" page 2 entries 3:1,12:1 highlighted",
                "opened \"DIR\\a.pdf\" again",
                "page \"a.pdf\" 7",
                "selection \"a.pdf\" page 7 entries 32:1 highlighted",
                "opened \"DIR\\a.pdf\" again",  // the last file: opened, then the beep
                "beep 0",
                "opened \"DIR\\a.pdf\" again",
                "page \"a.pdf\" 2",
                "selection \"a.pdf\" page 2 entries 3:1,12:1 highlighted",
                "opened \"DIR\\a.pdf\" again",  // before the first hit page: the previous file's last
                "opened \"DIR\\b.pdf\" pages 3",
                "page \"b.pdf\" 1",
                "selection \"b.pdf\" page 1 entries 7:1,9:1 highlighted",
            }));
  EXPECT_EQ(rowNames(output, 0), (Lines{"missing.pdf", "b.pdf selected", "a.pdf"}));  // selection follows
  EXPECT_EQ(between(output, "dialog \"Chyba\"", "  Static #207"),
            (Lines{
                "dialog \"Chyba\"",
                "  Static #201 \"\" enabled",
                "  Static #202 \"Nie je možné otvoriť súbor (AVDocOpenFromFile)\" enabled",
                "  Static #203 \"Index:\" enabled",
                "  Static #204 \"\" enabled",
                "  Static #205 \"Súbor:\" enabled",
                "  Static #206 \"DIR\\missing.pdf\" enabled",
                "  Button #1 \"OK\" enabled",
                "  Static #207 \"\" enabled",
            }));
  EXPECT_EQ(rowNames(output, 1), (Lines{"missing.pdf selected", "b.pdf", "a.pdf"}));  // still open
}

// c.pdf was edited after it was indexed: the hit on page 50 is past its three
// pages, and the viewer raises for that page. The raise ends in the plug-in's
// own frame: the page's error, nothing held, nothing jumped past.
TEST_F(ResultsDialogWin32Test, AHitPageThePdfNoLongerHasIsReportedAsAPageThatDidNotLoad) {
  writePdf(folder + "\\c.pdf", 3);
  std::ofstream(folder + "\\fixture.txt", std::ios::binary | std::ios::app)
      << folder << "\\c.pdf\t60\tZákony\tDelta\t70\t2022 01 01 00 00 00\t50=4\n";
  const Lines output = withDir(run("dblclick #1301 c.pdf\nwait Chyba\ndump\nclick OK\nlog\nclick Storno\n"));
  EXPECT_EQ(linesStartingWith(output, "page out of range"), (Lines{"page out of range 50"}));
  const Lines dialog = between(output, "dialog \"Chyba\"", "  Static #206");
  ASSERT_EQ(dialog.size(), 7u);
  EXPECT_EQ(dialog[2], "  Static #202 \"Chyba pri načítaní strany (GetPage)\" enabled");
  EXPECT_EQ(dialog[6], "  Static #206 \"DIR\\c.pdf\" enabled");
  EXPECT_TRUE(linesStartingWith(output, "unreleased").empty());
  EXPECT_TRUE(linesStartingWith(output, "selection \"c.pdf\"").empty());
}

TEST_F(ResultsDialogWin32Test, CloseOnShowLastsAcrossOpeningsButNotARestart) {
  Lines output = withDir(run(
      "click \"Zatvoriť pri zobrazení\"\n"
      "dblclick #1301 missing.pdf\nwait Chyba\nclick OK\ndump\n"  // a failed open leaves it open
      "dblclick #1301 a.pdf\ndump\n"                                // a shown file closes it
      "menu VELT:SearchResults\nwait \"" + std::string(kTitle) + "\"\ndump\n"
      "log\ntool VELT:TarvekQueryNextHit\ntool VELT:TarvekQueryNextHit\nlog\ndump\n"));
  EXPECT_EQ(rowNames(output, 0), (Lines{"a.pdf", "b.pdf", "missing.pdf selected"}));
  EXPECT_EQ(linesStartingWith(output, "no dialog"), Lines{"no dialog"});
  const Lines reopened = between(output, "dialog \"TarvekPDF", "  Button #1306");
  ASSERT_FALSE(reopened.empty());
  // The third dump: reopened with the box checked and a.pdf current.
  Lines dumps;
  for (const std::string& line : output)
    if (line.rfind("  Button #1306", 0) == 0) dumps.push_back(line);
  ASSERT_EQ(dumps.size(), 3u);
  EXPECT_EQ(dumps[1], "  Button #1306 \"Z&atvoriť pri zobrazení\" enabled checked");
  EXPECT_EQ(rowNames(output, 1), (Lines{"a.pdf selected", "b.pdf", "missing.pdf"}));
  // The tool bar's next hit page: page 7, then b.pdf; the dialog's selection follows.
  EXPECT_EQ(between(output, "tool VELT:TarvekQueryNextHit", "selection \"b.pdf\""),
            (Lines{"tool VELT:TarvekQueryNextHit", "tool VELT:TarvekQueryNextHit", "opened \"DIR\\a.pdf\" again",
                   "page \"a.pdf\" 7", "selection \"a.pdf\" page 7 entries 32:1 highlighted",
                   "opened \"DIR\\a.pdf\" again", "opened \"DIR\\b.pdf\" pages 3", "page \"b.pdf\" 1",
                   "selection \"b.pdf\" page 1 entries 7:1,9:1 highlighted"}));
  EXPECT_EQ(rowNames(output, 2), (Lines{"a.pdf", "b.pdf selected", "missing.pdf"}));
  EXPECT_EQ(linesStartingWith(output, "registered dialogs"), Lines{});  // gone at unload with its window

  // A new viewer process: the box starts unchecked again.
  output = run("dump\n");
  EXPECT_EQ(linesStartingWith(output, "  Button #1306"),
            Lines{"  Button #1306 \"Z&atvoriť pri zobrazení\" enabled unchecked"});
}

TEST_F(ResultsDialogWin32Test, DisplayOptionsChooseTheColumnsAndNoneMeansAllNine) {
  const char* optional[] = {"Počet výskytov", "Počet nájden. strán", "Umiestnenie", "Dátum posl. zmeny",
                            "Čas posl. zmeny", "PDF Názov", "Veľkosť", "Z indexu"};
  std::string uncheckAll;
  for (const char* box : optional) uncheckAll += "click \"" + std::string(box) + "\"\n";
  const Lines output = run(
      "click Možnosti...\nwait \"Možnosti zobrazenia\"\ndump\n" + uncheckAll +
      "click Nastaviť\ncolumns #1301\n"
      "click Možnosti...\nwait \"Možnosti zobrazenia\"\n" + uncheckAll +
      "click Veľkosť\nclick \"Dátum posl. zmeny\"\nclick Nastaviť\ncolumns #1301\ndump\nclick Storno\n");
  EXPECT_EQ(between(output, "dialog \"Možnosti zobrazenia\"", "  Button #2"),
            (Lines{
                "dialog \"Možnosti zobrazenia\"",
                "  Button #1319 \"Zobraziť:\" enabled",
                "  Button #1310 \"Názov súboru\" disabled checked",
                "  Button #1311 \"Poč&et výskytov\" enabled checked",
                "  Button #1312 \"Počet nájden. s&trán\" enabled checked",
                "  Button #1313 \"&Umiestnenie\" enabled checked",
                "  Button #1314 \"&Dátum posl. zmeny\" enabled checked",
                "  Button #1315 \"Č&as posl. zmeny\" enabled checked",
                "  Button #1316 \"&PDF Názov\" enabled checked",
                "  Button #1317 \"&Veľkosť\" enabled checked",
                "  Button #1318 \"Z &indexu\" enabled checked",
                "  Button #1 \"&Nastaviť\" enabled",
                "  Button #2 \"&Storno\" enabled",
            }));
  const Lines columns = linesStartingWith(output, "column ");
  ASSERT_EQ(columns.size(), 12u);  // nine after unchecking everything, then three
  EXPECT_EQ(columns[9].substr(0, 17), "column 0 \"Súbor\"");
  EXPECT_EQ(columns[10].substr(0, 17), "column 1 \"Dátum\"");
  EXPECT_EQ(columns[11].substr(0, 20), "column 2 \"Veľkosť\"");
  EXPECT_EQ(linesStartingWith(output, "    item \"a.pdf"), Lines{"    item \"a.pdf | 01.05.2020 | 1200\" selected"});
  for (int id = 0; id < 9; ++id)
    EXPECT_EQ(stored(id, settings::ColumnField::visible), id == 0 || id == 4 || id == 7 ? 1u : 0u) << id;
}

TEST_F(ResultsDialogWin32Test, SearchAgainClosesTheDialogAndANewOneOpensMeanwhile) {
  // "&Hľadanie..." runs the search dialog from inside the closed dialog's
  // button handler; a new results dialog comes up before that returns.
  const Lines output = run(
      "header #1301 Súbor\nclick Hľadanie...\nwait Vyhľadanie\nmenu VELT:SearchResults\nwait \"" +
      std::string(kTitle) + "\"\ncolumns #1301\nraise Vyhľadanie\nclick Storno\ndump\nclick Storno\ndump\n");
  EXPECT_EQ(linesStartingWith(output, "registered dialogs"), Lines{});
  EXPECT_EQ(linesStartingWith(output, "dialog \"TarvekPDF"), Lines{"dialog \"TarvekPDF Search - Výsledky hľadania\""});
  EXPECT_EQ(rowNames(output, 0), (Lines{"a.pdf selected", "b.pdf", "missing.pdf"}));
  // The sort flag saved on the way out comes back in the new dialog's tag.
  const Lines columns = linesStartingWith(output, "column 0 ");
  ASSERT_EQ(columns.size(), 1u);
  EXPECT_EQ(columns[0].substr(columns[0].rfind(" tag ")), " tag 1");
  EXPECT_EQ(linesStartingWith(output, "no dialog"), Lines{"no dialog"});
}

TEST_F(ResultsDialogWin32Test, ASearchClosesTheResultsDialogBeforeItReplacesTheResults) {
  // No index is listed, so a search over the previous result finds nothing.
  settings.writeProductText(Hive::localMachine, settings::kActiveIndexesPath, folder + "\\tarvek.idb");
  const Lines output = run(
      "menu VELT:Search\nwait Vyhľadanie\nclick Storno\ndump\n"
      // The tool bar stays usable beside the search dialog: the results come
      // up, and the user goes back to the search dialog and searches.
      "menu VELT:Search\nwait Vyhľadanie\nmenu VELT:SearchResults\nwait \"" + std::string(kTitle) + "\"\n"
      "raise Vyhľadanie\nclick \"Pred. hľad.\"\ntype #1202 zákon\nclick Hľadať\nwait Varovanie\nclick OK\n"
      "click Storno\ndump\nenabled VELT:SearchResults\n");
  registry.deleteKeyTree(Hive::currentUser, settings::kSearchHistoryKey);
  EXPECT_EQ(linesStartingWith(output, "shown "),
            (Lines{"shown \"" + std::string(kTitle) + "\"", "shown \"Vyhľadanie\"", "shown \"Vyhľadanie\"",
                   "shown \"" + std::string(kTitle) + "\"", "shown \"Varovanie\""}));
  EXPECT_EQ(linesStartingWith(output, "no dialog"), (Lines{"no dialog", "no dialog"}));
  EXPECT_EQ(linesStartingWith(output, "enabled "), Lines{"enabled VELT:SearchResults false"});
}

TEST_F(ResultsDialogWin32Test, EnterShowsTheSelectedFileAndEscapeCloses) {
  const Lines output = withDir(run("log\nkey ENTER\nlog\nclick Zobraziť\nlog\nkey ESCAPE\ndump\n"));
  // Enter and "&Zobraziť" each show the selected file from its first hit page.
  EXPECT_EQ(linesStartingWith(output, "selection "),
            (Lines{"selection \"a.pdf\" page 2 entries 3:1,12:1 highlighted",
                   "selection \"a.pdf\" page 2 entries 3:1,12:1 highlighted"}));
  EXPECT_EQ(linesStartingWith(output, "page \"a.pdf\""), (Lines{"page \"a.pdf\" 2", "page \"a.pdf\" 2"}));
  EXPECT_EQ(linesStartingWith(output, "no dialog"), Lines{"no dialog"});
  EXPECT_EQ(stored(0, settings::ColumnField::visible), 1u);  // saved on the way out
  EXPECT_EQ(linesStartingWith(output, "registered dialogs"), Lines{});  // unregistered when it went
}

// The title-bar close saves the column settings; unloading the plug-in with
// the dialog open does not (only the build of the columns stored Visible and
// Sort, never a width).
TEST_F(ResultsDialogWin32Test, TheTitleBarCloseSavesTheColumnsAndUnloadingDoesNot) {
  Lines output = run("close\ndump\n");
  EXPECT_EQ(linesStartingWith(output, "no dialog"), Lines{"no dialog"});
  for (int id = 0; id < 9; ++id) EXPECT_LT(stored(id, settings::ColumnField::width), 400u) << id;

  wipeColumns();
  output = run("menu VELT:About\n");
  EXPECT_EQ(linesStartingWith(output, "registered dialogs"), Lines{});  // gone with its window
  for (int id = 0; id < 9; ++id) {
    EXPECT_EQ(stored(id, settings::ColumnField::visible), 1u) << id;
    EXPECT_EQ(stored(id, settings::ColumnField::width), 0xDEADBEEF) << id;
  }
}

TEST_F(ResultsDialogWin32Test, StornoInTheDisplayOptionsChangesNothing) {
  const Lines output = run(
      "header #1301 Výskytov\nclick Možnosti...\nwait \"Možnosti zobrazenia\"\nclick Veľkosť\nclick \"Z indexu\"\n"
      "click Storno\ncolumns #1301\nclick Storno\n");
  const Lines columns = linesStartingWith(output, "column ");
  ASSERT_EQ(columns.size(), 9u);
  EXPECT_EQ(columns[1].substr(columns[1].rfind(" tag ")), " tag 11");  // still sorted ascending
  for (int id = 0; id < 9; ++id) EXPECT_EQ(stored(id, settings::ColumnField::visible), 1u) << id;
  EXPECT_EQ(stored(1, settings::ColumnField::sort), 1u);
}

TEST_F(ResultsDialogWin32Test, StoredWidthsFrom0To399AreUsedAndOthersGiveTheAutomaticWidth) {
  const std::pair<int, uint32_t> widths[] = {{2, 0}, {3, 400}, {4, 120}, {5, static_cast<uint32_t>(-5)}};
  for (const auto& [id, width] : widths)
    registry.writeNumber(Hive::currentUser, settings::kSearchColumnKey,
                         settings::columnValueName(id, settings::ColumnField::width), width);
  const Lines first = linesStartingWith(run("columns #1301\nclick Storno\n"), "column ");
  wipeColumns();
  const Lines automatic = linesStartingWith(run("columns #1301\nclick Storno\n"), "column ");
  ASSERT_EQ(first.size(), 9u);
  ASSERT_EQ(automatic.size(), 9u);
  auto width = [](const std::string& line) {
    const size_t at = line.find(" width ") + 7;
    return line.substr(at, line.find(' ', at) - at);
  };
  EXPECT_EQ(width(first[2]), "0");  // 0 wide, and still shown
  EXPECT_EQ(width(first[3]), width(automatic[3]));
  EXPECT_EQ(width(first[4]), "120");
  EXPECT_EQ(width(first[5]), width(automatic[5]));
  EXPECT_NE(width(automatic[3]), "0");
}

}  // namespace
}  // namespace tarvek::testing
