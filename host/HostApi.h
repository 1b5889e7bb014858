#pragma once
// The viewer's function tables as the plug-in uses them: the core table and
// the tables "AcroSupport", "Cos", "PDModel", "AcroView" and "Win", each
// holding exactly the operations we call, under the viewer SDK's names.
// Atoms, handles and calling conventions are ours; the viewer (the real one,
// or standins/viewer) fills the tables. Plain C function pointers, so the
// core calls them the same way natively against a recording fake.
//
// The three records exchanged at the handshake keep the viewer's 32-bit
// layout; the offsets are asserted below in the 32-bit build.

#include <cstddef>
#include <cstdint>

namespace tarvek::host {

using ASAtom = uint16_t;
using ASBool = int16_t;  // truth values exchanged with the viewer are 16 bits wide
using ASInt32 = int32_t;

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
using HFT = const void*;  // one of the tables below

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

// The one export of a plug-in, in the Win32 standard calling convention.
#if defined(__i386__) || defined(_M_IX86)
#define TARVEK_PLUGIN_ENTRY __attribute__((stdcall))
#else
#define TARVEK_PLUGIN_ENTRY
#endif
using PlugInMainProc = ASBool(TARVEK_PLUGIN_ENTRY*)(uint32_t viewerVersion, uint32_t* handshakeVersion,
                                                    SetupProc* setup, struct WindowsDataRecord* windowsData);

// One hit to select on a page: its word position and a length, always 0.
struct HighlightEntry {
  uint16_t position;
  uint16_t length;
};

struct CoreTable {
  ASAtom (*ASAtomFromString)(const char* text);
  ASCallback (*ASCallbackCreate)(ASExtension extension, ASProc procedure);
  // Null when the viewer has no table of that name at that version.
  HFT (*ASExtensionMgrGetHFT)(ASAtom name, uint32_t version);
};

struct AcroSupportTable {
  ASPathName (*ASFileSysCreatePathName)(ASFileSys fileSys, ASAtom pathSpecType, const void* pathSpec,
                                        const void* mustBeNull);
  ASFileSys (*ASGetDefaultFileSys)();
  void (*ASFileSysReleasePath)(ASFileSys fileSys, ASPathName path);
};

// "Cos" is imported but nothing in it is called.

struct PDModelTable {
  PDPage (*PDDocAcquirePage)(PDDoc doc, ASInt32 page);  // 0-based page
  void (*PDPageRelease)(PDPage page);
  PDTextSelect (*createHitSelection)(PDPage page, const HighlightEntry* entries, ASInt32 count);
};

struct AcroViewTable {
  void (*AVAlertNote)(const char* message);
  AVMenubar (*AVAppGetMenubar)();
  AVToolBar (*AVAppGetToolBar)();
  AVMenu (*AVMenubarAcquireMenuByName)(AVMenubar bar, const char* name);
  AVMenu (*AVMenuNew)(const char* title, const char* name, ASExtension owner);
  void (*AVMenubarAddMenu)(AVMenubar bar, AVMenu menu, ASInt32 position);
  AVMenuItem (*AVMenuItemNew)(const char* title, const char* name, AVMenu submenu, ASBool longMenusOnly,
                              char shortcut, uint8_t modifiers, AVIcon icon, ASExtension owner);
  void (*AVMenuAddMenuItem)(AVMenu menu, AVMenuItem item, ASInt32 position);
  void (*AVMenuItemSetExecuteProc)(AVMenuItem item, ASCallback procedure, void* clientData);
  void (*AVMenuItemSetComputeEnabledProc)(AVMenuItem item, ASCallback procedure, void* clientData);
  void (*AVMenuRelease)(AVMenu menu);
  void (*AVMenuItemRemove)(AVMenuItem item);
  void (*AVMenuItemRelease)(AVMenuItem item);
  AVToolButton (*AVToolBarGetButtonByName)(AVToolBar bar, ASAtom name);
  AVToolButton (*AVToolButtonNew)(ASAtom name, AVIcon icon, ASBool longOnly, ASBool isSeparator);
  void (*AVToolBarAddButton)(AVToolBar bar, AVToolButton button, ASBool before, AVToolButton reference);
  void (*AVToolButtonSetExecuteProc)(AVToolButton button, ASCallback procedure, void* clientData);
  void (*AVToolButtonSetComputeEnabledProc)(AVToolButton button, ASCallback procedure, void* clientData);
  void (*AVToolButtonSetHelpText)(AVToolButton button, const char* text);
  AVDoc (*AVDocOpenFromFile)(ASPathName path, ASFileSys fileSys, const char* tempTitle);
  PDDoc (*AVDocGetPDDoc)(AVDoc doc);
  AVPageView (*AVDocGetPageView)(AVDoc doc);
  void (*AVPageViewGoTo)(AVPageView view, ASInt32 page);  // 0-based page
  ASBool (*AVDocSetSelection)(AVDoc doc, ASAtom type, void* selection, ASBool highlight);
  void (*hostBeep)(ASInt32 kind);
};

struct WinTable {
  void (*WinAppRegisterModelessDialog)(void* window);
  void (*WinAppUnRegisterModelessDialog)(void* window);
};

// Given to PlugInMain. Only the module handle is read.
struct WindowsDataRecord {
  uint32_t unused;
  void* module;  // the plug-in's own module handle
};

// Given to the setup procedure.
struct SdkDataRecord {
  uint32_t handshakeVersion;
  ASExtension extension;
  const CoreTable* core;
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
