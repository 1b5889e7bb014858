#pragma once
// The plug-in's life in the viewer: setup (import the tables), handshake
// (name and procedures), initialisation (engine library, menu items, tool
// buttons, dialogs) and unload. Portable: it talks to the viewer only through
// the tables of host/HostApi.h and to the system only through the seam.
//
// One PlugIn exists per process; host/Procedures.h lets the viewer's calls
// reach it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "host/Tables.h"
#include "platform/Library.h"
#include "engine/Alert.h"

namespace tarvek {
class Module;
}

namespace tarvek::host {

class ButtonBitmaps;
class Commands;

// The viewer's tables, as imported by the setup procedure.
struct HostTables {
  ASExtension extension = nullptr;
  CoreTable core;
  AcroSupportTable support;
  HFT cos = nullptr;
  PDModelTable pdModel;
  AcroViewTable view;
  WinTable win;
};

// The viewer's modal note.
class HostAlert final : public Alert {
 public:
  explicit HostAlert(const HostTables& tables) : tables_(tables) {}
  void note(const std::string& message) override;

 private:
  const HostTables& tables_;
};

// What the plug-in uses besides the viewer; none of it is owned.
struct PlugInParts {
  Module& module;
  LibraryLoader& libraries;
  ButtonBitmaps& bitmaps;
  Commands& commands;
};

// The full path of the engine library: the plug-in's folder (its file name
// cut at the last backslash) followed by "\vovar_av.dll"; empty when the file
// name has no backslash.
std::string enginePathFor(const std::string& moduleFileName);

// What PlugInMain answers for the viewer's handshake version.
uint32_t answeredHandshakeVersion(uint32_t viewerVersion);

class PlugIn {
 public:
  explicit PlugIn(PlugInParts parts) : parts_(parts) {}
  PlugIn(const PlugIn&) = delete;
  PlugIn& operator=(const PlugIn&) = delete;

  // Imports the core table and the five others; fills in the wrapped
  // handshake procedure. False, with nothing kept, for a wrong version or a
  // missing table.
  bool setup(uint32_t version, SdkDataRecord* record);
  // Names the plug-in and hands over the wrapped initialisation and unload
  // procedures. False for a wrong version.
  bool handshake(uint32_t version, HandshakeRecord* record);
  // Loads the engine library, makes the menu items and tool buttons and the
  // dialogs. False when the plug-in did not start; whatever was made stays
  // for unload.
  bool initialise();
  // Takes down everything initialise made: dialogs, engine library, menu items.
  void unload();

  const HostTables& tables() const { return tables_; }
  Alert& alert() { return alert_; }
  // The loaded engine library; null when it is not loaded.
  Library* engineLibrary() const { return engine_.get(); }
  Commands& commands() { return parts_.commands; }

 private:
  AVMenuItem makeItem(size_t index, AVMenu menu);
  // The submenu with its seven items, the About and help items; false when
  // the submenu or one of its items is not made.
  bool makeMenus(AVMenubar bar);
  void addToolButtons();

  PlugInParts parts_;
  HostTables tables_;
  HostAlert alert_{tables_};
  std::unique_ptr<Library> engine_;
  std::array<AVMenuItem, 9> items_{};  // null until made; in the order of kMenuItems
};

}  // namespace tarvek::host
