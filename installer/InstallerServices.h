#pragma once
// Operating-system services that only the installer needs, beside the
// platform seam: the system's profile (INI) reader, the raw version
// information of a file, making full paths, and the disk figures behind the
// free-space text. The Win32 implementation is installer/win32/; tests use
// an in-memory one.

#include <cstdint>
#include <string>

namespace tarvek::installer {

// What the system tells of a drive's free space.
struct DiskFigures {
  uint32_t sectorsPerCluster = 0;
  uint32_t bytesPerSector = 0;
  uint32_t freeClusters = 0;
};

class InstallerServices {
 public:
  virtual ~InstallerServices() = default;

  // The value of `key` in `section` of the profile file `file`, as the
  // system's reader hands it into a buffer of `bufferChars` characters with
  // its terminator: at most bufferChars - 1 characters, nothing when the
  // buffer has no room. A missing file, section or key reads as empty text.
  virtual std::string profileString(const std::string& file, const std::string& section, const std::string& key,
                                    size_t bufferChars) = 0;

  // Bytes of version information the file holds; 0 when it has none.
  virtual uint32_t versionInfoSize(const std::string& path) = 0;
  // The first `size` bytes of the file's version information. False iff
  // they cannot be read.
  virtual bool versionInfo(const std::string& path, uint32_t size, std::string* block) = 0;

  // `path` made full (against the current folder and drive) into a buffer of
  // 260 characters. False iff that cannot be done.
  virtual bool fullPath(const std::string& path, std::string* full) = 0;

  // The free-space figures of the drive whose root folder is `root` ("C:\").
  // False iff the system cannot tell.
  virtual bool diskFigures(const std::string& root, DiskFigures* figures) = 0;
};

}  // namespace tarvek::installer
