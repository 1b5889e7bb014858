// The stand-in viewer's script commands on its own test dialog and documents:
// what dump shows, and that type, select, click, key and close reach the
// controls the way a user's input would.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/win32/ViewerRun.h"

namespace tarvek::testing {
namespace {

using Lines = std::vector<std::string>;

Lines between(const Lines& output, const std::string& first, const std::string& last) {
  Lines found;
  bool inside = false;
  for (const std::string& line : output) {
    if (line == first) inside = true;
    if (inside) found.push_back(line);
    if (inside && line == last) break;
  }
  return found;
}

std::string fileStart(const std::string& path, size_t n) {
  std::ifstream file(path, std::ios::binary);
  std::string bytes(n, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(n));
  return bytes.substr(0, static_cast<size_t>(file.gcount()));
}

void writeThreePagePdf(const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file << "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
          "2 0 obj << /Type /Pages /Kids [3 0 R 4 0 R 5 0 R] /Count 3 >> endobj\n"
          "3 0 obj << /Type /Page /Parent 2 0 R >> endobj\n4 0 obj << /Type/Page /Parent 2 0 R >> endobj\n"
          "5 0 obj << /Type /Page /Parent 2 0 R >> endobj\ntrailer << /Root 1 0 R >>\n%%EOF\n";
}

TEST(ViewerScriptTest, DumpShowsTheDialogAndTheCommandsFillIt) {
  ViewerRun viewer;
  const Lines output = viewer.run(
      "menu ViewerTestDialog\n"
      "wait \"Test dialog\"\n"
      "type Slovo \"zákon o rodine\"\n"
      "select Jazyk anglický\n"
      "select Indexy Zákony Nariadenia\n"
      "click Lematizácia\n"
      "dump\n"
      "key ENTER\n"
      "log\n"
      "quit\n");
  EXPECT_EQ(between(output, "dialog \"Test dialog\"", "  Button #2 \"Zrušiť\" enabled"),
            (Lines{
                "dialog \"Test dialog\"",
                "  Static #-1 \"&Slovo:\" enabled",
                "  Edit #101 \"zákon o rodine\" enabled",
                "  Static #-1 \"&Jazyk:\" enabled",
                "  ComboBox #102 \"anglický\" enabled",
                "    item \"slovenský\"",
                "    item \"anglický\" selected",
                "    item \"nemecký\"",
                "  Static #-1 \"&Indexy:\" enabled",
                "  ListBox #103 \"\" enabled",
                "    item \"Zákony\" selected",
                "    item \"Vyhlášky\"",
                "    item \"Nariadenia\" selected",
                "  Button #104 \"&Lematizácia\" enabled checked",
                "  Button #1 \"OK\" enabled",
                "  Button #2 \"Zrušiť\" enabled",
            }));
  EXPECT_EQ(linesStartingWith(output, "test dialog"),
            (Lines{"test dialog word changed", "test dialog language changed", "test dialog indexes changed",
                   "test dialog lemmatization clicked",
                   "test dialog ok word \"zákon o rodine\" language \"anglický\" indexes \"Zákony\" \"Nariadenia\" "
                   "lemmatization on"}));
  EXPECT_EQ(output.back(), "quit");
}

TEST(ViewerScriptTest, CloseEscapeAndQuitCancelTheDialog) {
  ViewerRun viewer;
  const Lines output = viewer.run(
      "menu ViewerTestDialog\nwait \"Test dialog\"\nclose\n"
      "menu ViewerTestDialog\nwait \"Test dialog\"\nkey ESCAPE\n"
      "menu ViewerTestDialog\nwait \"Test dialog\"\nclick #2\n"
      "log\n"
      // A dialog still up at the end is cancelled before the viewer goes.
      "menu ViewerTestDialog\nwait \"Test dialog\"\nquit\n");
  EXPECT_EQ(linesStartingWith(output, "test dialog"),
            (Lines{"test dialog cancelled", "test dialog cancelled", "test dialog cancelled"}));
  EXPECT_EQ(linesStartingWith(output, "shown \"Test dialog\"").size(), 4u);
  EXPECT_EQ(output.back(), "quit");
}

TEST(ViewerScriptTest, CommandsWithoutTheirTargetSaySo) {
  ViewerRun viewer;
  const Lines output = viewer.run("dump\nclick OK\nmenu VELT:Search\ntool Nothing\nwait Nothing 0.1\nfrobnicate\n");
  EXPECT_EQ(output, (Lines{"no dialog", "no dialog", "no item VELT:Search", "no button Nothing",
                           "timeout \"Nothing\"", "unknown command \"frobnicate\"", "quit"}));
}

TEST(ViewerScriptTest, DocumentsShowTheirPageCountAndPicturesAreSaved) {
  ViewerRun viewer;
  const std::string pdf = viewer.folder() + "\\z\xE1kon.pdf";  // "zákon.pdf" in code page 1250
  writeThreePagePdf(pdf);
  const std::string pdfUtf8 = "zákon.pdf";
  const Lines output = viewer.run("open \"" + viewer.folder() + "\\" + pdfUtf8 + "\"\nopen \"" + viewer.folder() +
                                  "\\missing.pdf\"\nlog\nshot window.bmp\nshot window.png\n");
  const Lines log = linesStartingWith(output, "opened");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("zákon.pdf\" pages 3"), std::string::npos) << log[0];
  EXPECT_EQ(linesStartingWith(output, "not opened").size(), 1u);
  EXPECT_EQ(fileStart(viewer.folder() + "\\window.bmp", 2), "BM");
  EXPECT_EQ(fileStart(viewer.folder() + "\\window.png", 4), "\x89PNG");
}

TEST(ViewerScriptTest, APlugInsDocumentCallsAreLoggedAndWhatItKeepsIsReported) {
  ViewerRun viewer;
  viewer.copyInto(TARVEK_PROBE_API, "Plug_ins\\probe.API");
  const std::string pdf = viewer.folder() + "\\a.pdf";
  writeThreePagePdf(pdf);
  SetEnvironmentVariableA("TARVEK_PROBE_PDF", pdf.c_str());  // inherited by the viewer
  const Lines output = viewer.run("menu Probe:Navigate\nlog\nmenu Probe:Navigate\nlog\nmenu Probe:Leak\nquit\n");
  SetEnvironmentVariableA("TARVEK_PROBE_PDF", nullptr);
  const Lines expected = {
      "menu Probe:Navigate",
      "opened \"" + pdf + "\" pages 3",
      "page \"a.pdf\" 1",
      "selection \"a.pdf\" page 1 entries 5:1,9:1 highlighted",
      "beep 0",
      "menu Probe:Navigate",
      "opened \"" + pdf + "\" again",
      "page \"a.pdf\" 1",
      "selection \"a.pdf\" page 1 entries 5:1,9:1 highlighted",
      "beep 0",
      "menu Probe:Leak",
  };
  ASSERT_GE(output.size(), 4 + expected.size());
  EXPECT_EQ(Lines(output.begin() + 4, output.begin() + 4 + expected.size()), expected);
  EXPECT_EQ(linesStartingWith(output, "unreleased"),
            (Lines{"unreleased menu AboutExtensions 1", "unreleased paths 1", "unreleased pages 1"}));
}

// The viewer runs each call into a plug-in in a frame of its own: a raise no
// frame of the plug-in catches is reported there, and the viewer goes on.
TEST(ViewerScriptTest, ARaiseThatNoFrameOfThePlugInCatchesIsAnErrorOfTheRun) {
  ViewerRun viewer;
  viewer.expectFrameErrors();
  viewer.copyInto(TARVEK_PROBE_API, "Plug_ins\\probe.API");
  const std::string pdf = viewer.folder() + "\\a.pdf";
  writeThreePagePdf(pdf);
  SetEnvironmentVariableA("TARVEK_PROBE_PDF", pdf.c_str());
  const Lines output = viewer.run("menu Probe:Raise\nlog\necho after\nquit\n");
  SetEnvironmentVariableA("TARVEK_PROBE_PDF", nullptr);
  EXPECT_EQ(linesStartingWith(output, "error"),
            (Lines{"error raise " + std::to_string(0x40010003) +
                   " in execute procedure of Probe:Raise reached the viewer: no frame of the plug-in caught it"}));
  EXPECT_EQ(linesStartingWith(output, "page out of range"), (Lines{"page out of range 99"}));
  EXPECT_EQ(linesStartingWith(output, "echo after"), (Lines{"echo after"}));
  ASSERT_FALSE(output.empty());
  EXPECT_EQ(output.back(), "quit");
}

}  // namespace
}  // namespace tarvek::testing
