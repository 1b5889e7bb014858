#pragma once
// The two self-contained commands: the version line of the About box and
// the help document opened in the viewer.

#include <string>

#include "host/PlugIn.h"

namespace tarvek {
struct Env;
}

namespace tarvek::host {

// "Ver." followed by the module's file version as "%d.%d.%d.%d", or "Ver."
// alone when the version resource cannot be read.
std::string aboutVersionText(Module& module);

// The help document: the machine's "HelpFile" value when it is set (at most
// 259 characters), else "\TarvekPDFSearch.pdf" in the plug-in's folder. A
// named file is taken as it is: the default is not tried when it is missing.
std::string helpDocumentPath(Env& env);

// Opens the help document in the viewer when a file exists at its path;
// true iff it was handed to the viewer. Nothing is shown otherwise.
bool openHelp(const HostTables& tables, Env& env);

}  // namespace tarvek::host
