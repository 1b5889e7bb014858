#include "host/AboutAndHelp.h"

#include <cstdio>

#include "platform/Env.h"
#include "platform/FileSystem.h"
#include "platform/Module.h"
#include "platform/Registry.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "ui/HitNavigation.h"

namespace tarvek::host {

constexpr char kDefaultHelpFile[] = "\\TarvekPDFSearch.pdf";

std::string aboutVersionText(Module& module) {
  std::string text = module.text(kTextAboutVersionPrefix);
  FileVersion version{};
  if (!module.fileVersion(&version)) return text;
  char digits[32];
  std::snprintf(digits, sizeof digits, "%d.%d.%d.%d", version[0], version[1], version[2], version[3]);
  return text + digits;
}

std::string helpDocumentPath(Env& env) {
  // The key is opened with full access, made when absent; a value that does
  // not fit 259 characters reads as empty.
  env.registry.createKey(Hive::localMachine, settings::kProductKey);
  std::string path = settings::Settings(env.registry).readProductText(Hive::localMachine, settings::kHelpFile);
  if (!path.empty()) return path;
  const std::string module = env.module.fileName();
  const size_t cut = module.rfind('\\');
  return (cut == std::string::npos ? std::string() : module.substr(0, cut)) + kDefaultHelpFile;
}

bool openHelp(const HostTables& tables, Env& env) {
  const std::string path = helpDocumentPath(env);
  if (!env.files.exists(path)) return false;
  // Before setup has imported the tables there is no viewer to open it in.
  if (!tables.core || !tables.support || !tables.view) return false;
  return ui::openInViewer({tables.core, tables.support, tables.pdModel, tables.view}, path) != nullptr;
}

}  // namespace tarvek::host
