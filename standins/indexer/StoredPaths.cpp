#include "standins/indexer/StoredPaths.h"

#include <algorithm>

#include "platform/Cp1250.h"

namespace tarvek::indexer {
namespace {

std::string windowsText(const std::filesystem::path& path) {
  std::string text = cp1250::fromUtf8(path.generic_string());
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

}  // namespace

std::string normalizeVariable(const std::string& name) {
  std::string variable = name.empty() || name[0] == '$' ? name : "$" + name;
  if (variable.size() < 2 || variable.find_first_of("\\/", 0) != std::string::npos ||
      variable.find('$', 1) != std::string::npos)
    return "";
  return variable;
}

std::string storedFilePath(const std::filesystem::path& file, const std::filesystem::path& indexFolder,
                           const std::string& variable) {
  const auto absolute = std::filesystem::absolute(file).lexically_normal();
  if (variable.empty()) return "Z:" + windowsText(absolute);
  const auto relative = absolute.lexically_relative(std::filesystem::absolute(indexFolder).lexically_normal());
  if (relative.empty() || relative == ".") return variable;
  return variable + "\\" + windowsText(relative);
}

std::string storedFolderPath(const std::filesystem::path& folder, const std::filesystem::path& indexFolder,
                             const std::string& variable) {
  std::string text = storedFilePath(folder, indexFolder, variable);
  if (text.empty() || text.back() != '\\') text += '\\';
  return text;
}

}  // namespace tarvek::indexer
