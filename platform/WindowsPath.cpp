#include "platform/WindowsPath.h"

namespace tarvek::path {

std::string folderOf(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string fileNameOf(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string replaceTail(std::string_view path, size_t count, std::string_view suffix) {
  std::string result(path.substr(0, path.size() > count ? path.size() - count : 0));
  result += suffix;
  return result;
}

}  // namespace tarvek::path
