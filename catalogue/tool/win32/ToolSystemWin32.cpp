#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "catalogue/tool/CatalogueHealth.h"
#include "catalogue/tool/ToolSystem.h"
#include "platform/win32/Win32Services.h"

namespace tarvek::tool {

void prepareOutput() { _setmode(_fileno(stdout), _O_BINARY); }

// A console's code page is not the texts' one; the escapes read the same everywhere.
TextForm defaultTextForm() { return TextForm::escaped; }

int runHealth(std::string_view databaseBytes, std::ostream& out, TextForm form) {
  tarvek::win32::Win32Env services(GetModuleHandleA(nullptr));
  return health(services.env(), databaseBytes, out, form) ? 0 : 1;
}

}  // namespace tarvek::tool
