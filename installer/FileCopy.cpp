#include "installer/FileCopy.h"

#include <vector>

#include "installer/InstallResult.h"
#include "platform/WindowsPath.h"

namespace tarvek::installer {
namespace {

constexpr uint64_t kNoTicks = 2147483647;

// Moves the bytes; kInstallOk or kInstallDiskFailure.
uint16_t copyBlocks(OpenFile& source, OpenFile& target, int firstTick, int ticks, InstallProgress& progress) {
  uint64_t size = 0;
  if (!source.size(&size)) return kInstallDiskFailure;
  const uint64_t tickBytes = ticks >= 1 && ticks <= 99 ? size / static_cast<uint64_t>(ticks) : kNoTicks;
  std::vector<char> buffer(kCopyBlockBytes);
  uint64_t left = size;
  uint64_t counter = 0;
  int tick = firstTick;
  while (left > 0) {
    const size_t block = left < kCopyBlockBytes ? static_cast<size_t>(left) : kCopyBlockBytes;
    size_t read = 0;
    if (!source.read(buffer.data(), block, &read) || read != block) return kInstallDiskFailure;
    size_t written = 0;
    if (!target.write(buffer.data(), block, &written) || written != block) return kInstallDiskFailure;
    left -= block;
    counter += block;
    if (counter >= tickBytes) {
      progress.setProgress(tick++);
      counter -= tickBytes;
    }
  }
  return kInstallOk;
}

}  // namespace

uint16_t copyInstallFile(FileSystem& files, const std::string& from, const std::string& to, int firstTick,
                         int ticks, InstallProgress& progress) {
  std::unique_ptr<OpenFile> source = files.openForReading(from);
  if (!source) return kInstallSourceUnreadable;
  uint64_t sourceTime = 0;
  const bool haveTime = source->lastWriteTime(&sourceTime);
  // The bytes go to a name of their own beside the target, which is replaced
  // in one step only when they are all there: a copy that fails half way
  // leaves the old file (the shared uninstaller in the Windows folder, say)
  // as it was.
  std::string temporary;
  // The temporary name is no longer than the target's own, so it fits wherever the target does.
  const std::string folder = path::folderOf(to);
  if (!files.createTemporaryFile(folder, to.size() - folder.size() - 1, &temporary)) return kInstallTargetUncreatable;
  std::unique_ptr<OpenFile> target = files.createAnew(temporary);
  if (!target) {
    files.removeFile(temporary);
    return kInstallTargetUncreatable;
  }

  uint16_t result = copyBlocks(*source, *target, firstTick, ticks, progress);
  source.reset();
  if (haveTime) target->setLastWriteTime(sourceTime);
  target.reset();
  // A target that cannot be replaced (in use, read-only, a folder) is one
  // that cannot be created.
  if (result == kInstallOk && !files.replaceFile(temporary, to)) result = kInstallTargetUncreatable;
  if (result != kInstallOk) files.removeFile(temporary);
  return result;
}

}  // namespace tarvek::installer
