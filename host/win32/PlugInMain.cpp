// Entry point of query.API, the one export the viewer calls. It makes the
// process-wide plug-in (Win32 services, button pictures, commands) and names
// the setup procedure; the rest of the lifecycle is host/PlugIn.

#include <windows.h>

#include <memory>

#include "host/Commands.h"
#include "host/PlugIn.h"
#include "host/Procedures.h"
#include "host/win32/PlugInCommands.h"
#include "host/win32/Win32ButtonBitmaps.h"
#include "platform/win32/Win32Services.h"

namespace tarvek::host::win32 {
namespace {

// Everything the plug-in owns between PlugInMain and the module's unloading.
struct Instance {
  explicit Instance(HINSTANCE module) : services(module), bitmaps(module), commands(module, services.env()) {
    commands.attach(plugIn);
  }
  tarvek::win32::Win32Env services;
  Win32ButtonBitmaps bitmaps;
  PlugInCommands commands;
  PlugIn plugIn{{services.module(), services.env().libraries, bitmaps, commands}};
};

std::unique_ptr<Instance> g_instance;

}  // namespace
}  // namespace tarvek::host::win32

using namespace tarvek::host;

// PlugInMain(viewer's handshake version, out handshake version, out setup
// procedure, Windows data record).
extern "C" __declspec(dllexport) ASBool __stdcall PlugInMain(uint32_t viewerVersion, uint32_t* handshakeVersion,
                                                             SetupProc* setup, WindowsDataRecord* windowsData) {
  try {
    // The record names our module; our own image base is the same handle and
    // serves when a viewer passes no record.
    HINSTANCE module = windowsData && windowsData->module ? static_cast<HINSTANCE>(windowsData->module)
                                                          : tarvek::win32::currentModule();
    if (!win32::g_instance) {
      win32::g_instance = std::make_unique<win32::Instance>(module);
      setActivePlugIn(&win32::g_instance->plugIn);
    }
    if (handshakeVersion) *handshakeVersion = answeredHandshakeVersion(viewerVersion);
    if (setup) *setup = &setupProcedure;
    return 1;
  } catch (...) {
    return 0;
  }
}
