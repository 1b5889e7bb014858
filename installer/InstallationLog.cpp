#include "installer/InstallationLog.h"

namespace tarvek::installer {

std::string joinLogFields(const std::vector<std::string>& fields) {
  std::string text;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) text += '|';
    text += fields[i];
  }
  return text;
}

bool InstallationLog::create(FileSystem& files, const std::string& path) {
  file_ = files.createAnew(path);
  return file_ != nullptr;
}

void InstallationLog::write(unsigned kind, const std::string& text) {
  if (!file_) return;
  const std::string line = std::to_string(kind) + "=" + text + "\r\n";
  size_t done = 0;
  file_->write(line.data(), line.size(), &done);
}

}  // namespace tarvek::installer
