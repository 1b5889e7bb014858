#include "installer/TargetFolder.h"

#include "installer/InstallResult.h"

namespace tarvek::installer {
namespace {

constexpr size_t kMaxPath = 260;

}  // namespace

uint16_t createTargetFolder(FileSystem& files, std::string path) {
  if (path.empty() || path.size() > kMaxPath) return kInstallBadTarget;
  while (!path.empty() && static_cast<unsigned char>(path.back()) <= ' ') path.pop_back();
  if (path.empty()) return kInstallBadTarget;
  if (path.back() == '\\') path.pop_back();

  FileInfo info;
  if (files.stat(path, &info)) return info.isFolder ? kInstallOk : kInstallFolderIsFile;

  // Walk up to the deepest part that exists.
  size_t existing = path.size();
  for (;;) {
    const size_t cut = path.rfind('\\', existing - 1);
    if (cut == std::string::npos || cut == 0) return kInstallBadTarget;
    existing = cut;
    // A drive alone ("C:") is asked about as its root, not its current folder.
    std::string part = path.substr(0, existing);
    if (part.size() == 2 && part[1] == ':') part += '\\';
    if (files.stat(part, &info)) break;
  }
  if (!info.isFolder) return kInstallFolderIsFile;

  // Then make the missing ones down to the whole path.
  while (existing < path.size()) {
    size_t next = path.find('\\', existing + 1);
    if (next == std::string::npos) next = path.size();
    if (!files.createFolder(path.substr(0, next))) return kInstallFolderUncreatable;
    existing = next;
  }
  return kInstallOk;
}

}  // namespace tarvek::installer
