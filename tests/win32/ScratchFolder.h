#pragma once
// A folder of its own under the temporary folder for one test, removed with
// everything in it when the object goes.

#include <string>

namespace tarvek::testing {

class ScratchFolder {
 public:
  // `tag` names the folder's owner: %TEMP%\tarvek-TAG-PID-N.
  explicit ScratchFolder(const std::string& tag);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // path() + "\" + relative
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  std::string path_;
};

// Creates the folder and every missing parent.
void makeFolders(const std::string& path);
// Removes the folder and everything in it.
void removeTree(const std::string& path);

}  // namespace tarvek::testing
