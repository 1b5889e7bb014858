#pragma once
// The viewer's plug-in interface as the plug-in sees it. The viewer hands
// over each of its function tables (the core table, "AcroSupport", "Cos",
// "PDModel", "AcroView" and "Win") as an array of function pointers indexed
// by the operation's selector, entry 0 unused; host/ViewerTables.h reads
// those arrays. This file holds the types, the procedures the plug-in hands
// over and the three records exchanged at the handshake, which keep the
// viewer's 32-bit layout (the offsets are asserted below in the 32-bit
// build). Every operation and every procedure is cdecl; PlugInMain alone is
// __stdcall.

#include <cstddef>
#include <cstdint>

namespace tarvek::host {

using ASAtom = uint16_t;
using ASBool = uint16_t;  // truth values exchanged with the viewer are 16 bits wide
using ASInt32 = int32_t;
using AVFlagBits16 = int16_t;

// Opaque handles; only the viewer knows what they point to.
using ASExtension = struct ASExtensionRec*;
using ASCallback = struct ASCallbackRec*;
using ASFileSys = struct ASFileSysRec*;
using ASPathName = struct ASPathNameRec*;
using AVMenubar = struct AVMenubarRec*;
using AVMenu = struct AVMenuRec*;
using AVMenuItem = struct AVMenuItemRec*;
using AVToolBar = struct AVToolBarRec*;
using AVToolButton = struct AVToolButtonRec*;
using AVIcon = void*;  // a bitmap handle on Windows; the viewer keeps its own copy
using AVDoc = struct AVDocRec*;
using AVPageView = struct AVPageViewRec*;
using PDDoc = struct PDDocRec*;
using PDPage = struct PDPageRec*;
using PDTextSelect = struct PDTextSelectRec*;

// A table: the viewer's array of operations. An entry is called only after
// being cast to the operation's own type.
using HFTEntry = void (*)();
using HFT = const HFTEntry*;

inline constexpr uint32_t kHandshakeVersion = 0x00020000;
inline constexpr uint32_t kTableVersion = 0x00040000;
inline constexpr ASInt32 kAppendPosition = 9999;  // "at the end" for menus and items

// Any procedure handed to the viewer; ASCallbackCreate wraps it and the viewer
// calls it with the signature its use implies (the types below).
using ASProc = void (*)();
using SetupProc = ASBool (*)(uint32_t handshakeVersion, struct SdkDataRecord* record);
using HandshakeProc = ASBool (*)(uint32_t handshakeVersion, struct HandshakeRecord* record);
using InitProc = ASBool (*)();
using UnloadProc = ASBool (*)();
using ExecuteProc = void (*)(void* clientData);
using ComputeEnabledProc = ASBool (*)(void* clientData);
// Called by the viewer when it raises while the frame is on top of its frame
// stack, with the environment pushed with it; does not return.
using RestoreProc = void (*)(void* environment);

// The one export of a plug-in, in the Win32 standard calling convention.
#if defined(__i386__) || defined(_M_IX86)
#define TARVEK_PLUGIN_ENTRY __attribute__((stdcall))
#else
#define TARVEK_PLUGIN_ENTRY
#endif
using PlugInMainProc = ASBool(TARVEK_PLUGIN_ENTRY*)(uint32_t viewerVersion, uint32_t* handshakeVersion,
                                                    SetupProc* setup, struct WindowsDataRecord* windowsData);

// A stretch of a page to select: for the word routine, the first word's
// position among the page's words and the number of words.
struct HighlightEntry {
  uint16_t position;
  uint16_t length;
};

// Given to PlugInMain. Only the module handle is read.
struct WindowsDataRecord {
  void* mainWindow;
  void* module;  // the plug-in's own module handle
};

// Given to the setup procedure.
struct SdkDataRecord {
  uint32_t handshakeVersion;
  ASExtension extension;
  HFT core;
  ASCallback handshake;  // out: the wrapped handshake procedure
};

// Given to the handshake procedure. The plug-in writes only the name and the
// three procedures; the other bytes stay as the viewer filled them.
struct HandshakeRecord {
  uint8_t viewerOwned0[6];
  ASAtom extensionName;
  uint8_t viewerOwned8[4];
  ASCallback importReplaceAndRegister;  // out: always null
  ASCallback init;                      // out
  ASCallback unload;                    // out
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(WindowsDataRecord, module) == 4);
static_assert(offsetof(SdkDataRecord, handshakeVersion) == 0);
static_assert(offsetof(SdkDataRecord, extension) == 4);
static_assert(offsetof(SdkDataRecord, core) == 8);
static_assert(offsetof(SdkDataRecord, handshake) == 12);
static_assert(offsetof(HandshakeRecord, extensionName) == 6);
static_assert(offsetof(HandshakeRecord, importReplaceAndRegister) == 12);
static_assert(offsetof(HandshakeRecord, init) == 16);
static_assert(offsetof(HandshakeRecord, unload) == 20);
static_assert(sizeof(HighlightEntry) == 4);
#endif

// Names of the imported tables, in the order they are asked for.
inline constexpr const char* kImportedTables[] = {"AcroSupport", "Cos", "PDModel", "AcroView", "Win"};

}  // namespace tarvek::host
