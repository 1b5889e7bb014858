// manager.API: a test plug-in that opens the index manager from the stand-in
// viewer's menu ("Test:IndexManager"), built from the plug-in's own dialogs,
// texts and database code, with the engine library vovar_av.dll beside it.
// It stands in for the search dialog's "&Indexy..." button until both meet in
// query.API, so that scripts drive the real dialogs, registry and files.

#include <windows.h>

#include <memory>
#include <string>

#include "catalogue/win32/IndexManagerDialog.h"
#include "engine/Alert.h"
#include "engine/LibraryEngine.h"
#include "host/Tables.h"
#include "platform/WindowsPath.h"
#include "platform/win32/Win32Services.h"
#include "ui/win32/ErrorDialog.h"

using namespace tarvek::host;

namespace {

CoreTable g_core;
ASExtension g_extension = nullptr;
AcroViewTable g_view;
AVMenuItem g_item = nullptr;

class ViewerAlert final : public tarvek::Alert {
 public:
  void note(const std::string& message) override { g_view.AVAlertNote(message.c_str()); }
};

void openManager(void*) {
  using namespace tarvek;
  win32::Win32Env services(win32::currentModule());
  Env& env = services.env();
  std::unique_ptr<Library> library =
      env.libraries.load(path::folderOf(services.module().fileName()) + "\\vovar_av.dll");
  if (!library) return;
  LibraryEngine engine(*library);
  ViewerAlert alert;
  win32::DialogErrorReporter reporter(win32::currentModule(), services.module());
  win32::IndexManagerLauncher manager(win32::currentModule(), env, engine, alert, reporter);
  manager.run(GetActiveWindow());
}

ASBool init() {
  AVMenu menu = g_view.AVMenuNew("Test", "Test:Menu", g_extension);
  g_item = g_view.AVMenuItemNew("Test:IndexManager", "Test:IndexManager", nullptr, 0, 0, 0, nullptr, g_extension);
  g_view.AVMenuItemSetExecuteProc(
      g_item, g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(&openManager)), nullptr);
  g_view.AVMenuAddMenuItem(menu, g_item, kAppendPosition);
  g_view.AVMenubarAddMenu(g_view.AVAppGetMenubar(), menu, kAppendPosition);
  g_view.AVMenuRelease(menu);
  return 1;
}

ASBool unload() {
  g_view.AVMenuItemRemove(g_item);
  g_view.AVMenuItemRelease(g_item);
  return 1;
}

ASBool handshake(uint32_t, HandshakeRecord* record) {
  record->extensionName = g_core.ASAtomFromString("TestManager");
  record->init = g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(&init));
  record->unload = g_core.ASCallbackCreate(g_extension, reinterpret_cast<ASProc>(&unload));
  return 1;
}

ASBool setup(uint32_t, SdkDataRecord* record) {
  g_core = record->core;
  g_extension = record->extension;
  g_view = g_core.ASExtensionMgrGetHFT(g_core.ASAtomFromString("AcroView"), kTableVersion);
  if (!g_view) return 0;
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
