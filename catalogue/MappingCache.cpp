#include "catalogue/MappingCache.h"

#include "catalogue/PathVariables.h"

namespace tarvek {

bool MappingCache::current(const Kept& kept) {
  FileInfo now;
  if (!env_.files.stat(kept.path, &now) || now.isFolder) return false;
  if (now.size != kept.file.size || now.lastWriteTime != kept.file.lastWriteTime) return false;
  RegistryVariables variables(env_);
  for (const auto& [name, value] : kept.mapping->pathVariables())
    if (variables(name) != value) return false;
  return true;
}

std::shared_ptr<MappingFile> MappingCache::get(const std::string& path) {
  for (auto it = kept_.begin(); it != kept_.end(); ++it) {
    if (it->path != path) continue;
    if (current(*it)) {
      kept_.splice(kept_.begin(), kept_, it);
      return kept_.front().mapping;
    }
    kept_.erase(it);
    break;
  }
  auto mapping = std::make_shared<MappingFile>(env_);
  FileInfo file;
  if (!mapping->loadForSearch(path, &file)) return nullptr;
  if (mapping->heldBytes() <= maxBytes_ && maxMappings_ > 0) {
    kept_.push_front({path, file, mapping});
    if (kept_.size() > maxMappings_) kept_.pop_back();
  }
  return mapping;
}

size_t MappingCache::heldBytes() const {
  size_t bytes = 0;
  for (const Kept& kept : kept_) bytes += kept.mapping->heldBytes();
  return bytes;
}

}  // namespace tarvek
