// probe.API: a minimal plug-in for testing the stand-in viewer's document
// operations. Its menu items walk the calls that hit navigation makes on the
// file named by TARVEK_PROBE_PDF: open, turn to page 1, select words 5 and 9,
// beep. "Probe:Leak" does the same but keeps its page and path objects and a
// menu of the viewer's, so that the viewer's report of what a plug-in left
// behind can be seen.

#include <windows.h>

#include <string>

#include "host/Tables.h"

using namespace tarvek::host;

namespace {

CoreTable g_core;
ASExtension g_extension = nullptr;
AcroSupportTable g_support;
PDModelTable g_pdModel;
AcroViewTable g_view;
AVMenuItem g_items[3] = {};

void walk(bool release) {
  char path[MAX_PATH] = {};
  GetEnvironmentVariableA("TARVEK_PROBE_PDF", path, sizeof path);
  ASFileSys fileSys = g_support.ASGetDefaultFileSys();
  ASPathName name = g_support.ASFileSysCreatePathName(nullptr, g_core.ASAtomFromString("Cstring"), path, nullptr);
  AVDoc doc = g_view.AVDocOpenFromFile(name, fileSys, nullptr);
  if (release) g_support.ASFileSysReleasePath(nullptr, name);
  if (!doc) return;
  if (AVPageView view = g_view.AVDocGetPageView(doc)) g_view.AVPageViewGoTo(view, 1);
  PDPage page = g_pdModel.PDDocAcquirePage(g_view.AVDocGetPDDoc(doc), 1);
  if (!page) return;
  const HighlightEntry entries[] = {{5, 1}, {9, 1}};
  PDTextSelect selection = g_pdModel.PDTextSelectCreateWordHilite(page, entries, 2);
  if (release) g_pdModel.PDPageRelease(page);
  if (selection) g_view.AVDocSetSelection(doc, g_core.ASAtomFromString("Text"), selection, 1);
  g_view.AVSysBeep(0);
}

void navigate(void*) { walk(true); }
// Asks for a page the document lacks without a frame of its own, so the
// viewer's raise jumps past the plug-in.
void raiseUncaught(void*) {
  char path[MAX_PATH] = {};
  GetEnvironmentVariableA("TARVEK_PROBE_PDF", path, sizeof path);
  ASPathName name = g_support.ASFileSysCreatePathName(nullptr, g_core.ASAtomFromString("Cstring"), path, nullptr);
  AVDoc doc = g_view.AVDocOpenFromFile(name, g_support.ASGetDefaultFileSys(), nullptr);
  g_support.ASFileSysReleasePath(nullptr, name);
  if (doc) g_pdModel.PDDocAcquirePage(g_view.AVDocGetPDDoc(doc), 99);
}
void leak(void*) {
  walk(false);
  g_view.AVMenubarAcquireMenuByName(g_view.AVAppGetMenubar(), "AboutExtensions");  // never released
}

ASBool init() {
  AVMenubar bar = g_view.AVAppGetMenubar();
  AVMenu menu = g_view.AVMenuNew("Probe", "Probe:Menu", g_extension);
  const struct {
    const char* name;
    ExecuteProc procedure;
  } items[] = {{"Probe:Navigate", &navigate}, {"Probe:Leak", &leak}, {"Probe:Raise", &raiseUncaught}};
  for (size_t i = 0; i < 3; ++i) {
    g_items[i] = g_view.AVMenuItemNew(items[i].name, items[i].name, nullptr, 0, 0, 0, nullptr, g_extension);
    g_view.AVMenuItemSetExecuteProc(
        g_items[i], g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(items[i].procedure)), nullptr);
    g_view.AVMenuAddMenuItem(menu, g_items[i], kAppendPosition);
  }
  g_view.AVMenubarAddMenu(bar, menu, kAppendPosition);
  g_view.AVMenuRelease(menu);
  return 1;
}

ASBool unload() {
  for (AVMenuItem item : g_items) {
    g_view.AVMenuItemRemove(item);
    g_view.AVMenuItemRelease(item);
  }
  return 1;
}

ASBool handshake(uint32_t, HandshakeRecord* record) {
  record->extensionName = g_core.ASAtomFromString("Probe");
  record->init = g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(&init));
  record->unload = g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(&unload));
  return 1;
}

ASBool setup(uint32_t, SdkDataRecord* record) {
  g_core = record->core;
  g_extension = record->extension;
  g_support = g_core.ASExtensionMgrGetHFT(g_core.ASAtomFromString("AcroSupport"), kTableVersion);
  g_pdModel = g_core.ASExtensionMgrGetHFT(g_core.ASAtomFromString("PDModel"), kTableVersion);
  g_view = g_core.ASExtensionMgrGetHFT(g_core.ASAtomFromString("AcroView"), kTableVersion);
  if (!g_support || !g_pdModel || !g_view) return 0;
  record->handshake = g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(&handshake));
  return 1;
}

}  // namespace

extern "C" __declspec(dllexport) ASBool __stdcall PlugInMain(uint32_t, uint32_t* version, SetupProc* setupProc,
                                                             WindowsDataRecord*) {
  *version = kHandshakeVersion;
  *setupProc = &setup;
  return 1;
}
