#include "host/Procedures.h"

#include "host/Commands.h"
#include "host/FilesPresent.h"
#include "host/PlugIn.h"

namespace tarvek::host {
namespace {

PlugIn* g_plugIn = nullptr;  // not owned; the platform's entry point owns it

// Runs `body` against the active plug-in; a C++ exception never reaches the viewer.
template <typename Body>
ASBool guarded(Body body) {
  if (!g_plugIn) return 0;
  try {
    return body(*g_plugIn) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

template <Command command>
void execute(void*) {
  guarded([](PlugIn& plugIn) {
    plugIn.commands().run(command);
    return true;
  });
}

ASBool enabledAlways(void*) { return 1; }
ASBool enabledWhenFilesPresent(void*) {
  try {
    return filesPresent() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace

void setActivePlugIn(PlugIn* plugIn) { g_plugIn = plugIn; }
PlugIn* activePlugIn() { return g_plugIn; }

ASBool setupProcedure(uint32_t version, SdkDataRecord* record) {
  return guarded([&](PlugIn& plugIn) { return plugIn.setup(version, record); });
}

ASBool handshakeProcedure(uint32_t version, HandshakeRecord* record) {
  return guarded([&](PlugIn& plugIn) { return plugIn.handshake(version, record); });
}

ASBool initProcedure() {
  return guarded([](PlugIn& plugIn) { return plugIn.initialise(); });
}

ASBool unloadProcedure() {
  guarded([](PlugIn& plugIn) {
    plugIn.unload();
    return true;
  });
  return 1;
}

ExecuteProc executeProcedureFor(Command command) {
  switch (command) {
    case Command::search: return &execute<Command::search>;
    case Command::results: return &execute<Command::results>;
    case Command::previousHit: return &execute<Command::previousHit>;
    case Command::nextHit: return &execute<Command::nextHit>;
    case Command::previousFile: return &execute<Command::previousFile>;
    case Command::nextFile: return &execute<Command::nextFile>;
    case Command::about: return &execute<Command::about>;
    case Command::help: return &execute<Command::help>;
  }
  return nullptr;
}

ComputeEnabledProc enableProcedureFor(EnableRule rule) {
  switch (rule) {
    case EnableRule::none: return nullptr;
    case EnableRule::always: return &enabledAlways;
    case EnableRule::filesPresent: return &enabledWhenFilesPresent;
  }
  return nullptr;
}

}  // namespace tarvek::host
