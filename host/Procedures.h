#pragma once
// The plain procedures the viewer calls: setup, handshake, initialisation,
// unload, and the commands and enable rules of the menu items and buttons.
// They reach the one active PlugIn; none lets an exception out.

#include "host/HostApi.h"
#include "host/Layout.h"

namespace tarvek::host {

class PlugIn;

// Makes `plugIn` (not owned; may be null) the one the procedures reach.
void setActivePlugIn(PlugIn* plugIn);
PlugIn* activePlugIn();

ASBool setupProcedure(uint32_t handshakeVersion, SdkDataRecord* record);
ASBool handshakeProcedure(uint32_t handshakeVersion, HandshakeRecord* record);
ASBool initProcedure();
ASBool unloadProcedure();

// The execute procedure of a command, and the enable procedure of a rule
// (null for EnableRule::none).
ExecuteProc executeProcedureFor(Command command);
ComputeEnabledProc enableProcedureFor(EnableRule rule);

}  // namespace tarvek::host
