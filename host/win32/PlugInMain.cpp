// Entry point of query.API, the one export the viewer calls.
//
// The handshake beyond PlugInMain (setup, handshake, initialisation, unload)
// is not built yet: the setup procedure refuses, so a viewer does not start
// the plug-in.

#include <windows.h>

#include <cstdint>

namespace {

constexpr uint32_t kHandshakeVersion = 0x00020000;

HINSTANCE g_module = nullptr;  // the plug-in's own module; resources come from it

int16_t __stdcall setupProcedure(uint32_t, void*) { return 0; }

}  // namespace

// PlugInMain(viewer's handshake version, out handshake version, out setup
// procedure, Windows data record). Offset 4 of the record is the module handle.
extern "C" __declspec(dllexport) int16_t __stdcall PlugInMain(uint32_t viewerVersion, uint32_t* handshakeVersion,
                                                              void** setup, void* windowsData) {
  if (windowsData) g_module = *reinterpret_cast<HINSTANCE*>(static_cast<char*>(windowsData) + 4);
  if (handshakeVersion) *handshakeVersion = viewerVersion < kHandshakeVersion ? viewerVersion : kHandshakeVersion;
  if (setup) *setup = reinterpret_cast<void*>(&setupProcedure);
  return 1;
}
