#include "tests/win32/ScratchFolder.h"

#include <windows.h>

#include <atomic>

namespace tarvek::testing {
namespace {

std::atomic<int> g_serial{0};

}  // namespace

ScratchFolder::ScratchFolder(const std::string& tag) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "tarvek-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++g_serial);
  removeTree(path_);
  makeFolders(path_);
}

ScratchFolder::~ScratchFolder() { removeTree(path_); }

void makeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(path.c_str(), nullptr);
}

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        removeTree(full);
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace tarvek::testing
