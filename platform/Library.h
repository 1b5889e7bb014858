#pragma once
// Dynamic library seam. A Library is owned by one object and freed when that
// object goes away.

#include <memory>
#include <string>

namespace tarvek {

class Library {
 public:
  virtual ~Library() = default;
  // Address of the exported symbol, or null when the library has none.
  virtual void* symbol(const char* name) = 0;
};

class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  // Loads the library at exactly `fullPath` (no search path). Null on failure.
  virtual std::unique_ptr<Library> load(const std::string& fullPath) = 0;
};

}  // namespace tarvek
