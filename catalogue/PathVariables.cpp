#include "catalogue/PathVariables.h"

#include <vector>

#include "platform/WindowsPath.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"

namespace tarvek {
namespace {

// No Windows path is longer. A stored text that would grow past it (a "$"
// repeated thousands of times) is kept as stored instead of growing without
// bound.
constexpr size_t kMaxExpandedBytes = 32767;

// The text cut into stored parts and inserted values, in order.
struct Piece {
  std::string text;
  bool inserted = false;
};

// Replaces every occurrence of `name` in the stored pieces by `value`.
std::vector<Piece> replaceInStored(const std::vector<Piece>& pieces, const std::string& name,
                                   const std::string& value) {
  std::vector<Piece> result;
  for (const Piece& piece : pieces) {
    if (piece.inserted) {
      result.push_back(piece);
      continue;
    }
    size_t from = 0;
    for (size_t at; (at = piece.text.find(name, from)) != std::string::npos; from = at + name.size()) {
      if (at > from) result.push_back({piece.text.substr(from, at - from), false});
      result.push_back({value, true});
    }
    if (from < piece.text.size()) result.push_back({piece.text.substr(from), false});
  }
  return result;
}

}  // namespace

std::string expandPathVariables(const std::string& text, const std::string& mappingPath,
                                const VariableLookup& lookup) {
  if (text.find(settings::kPathVariablePrefix) == std::string::npos) return text;
  std::vector<Piece> pieces{{text, false}};
  // Each round replaces at least the "$" it starts from, and only stored
  // text holds the "$" it looks for, so the rounds run out.
  for (;;) {
    std::string name;
    for (const Piece& piece : pieces) {
      if (piece.inserted) continue;
      const size_t start = piece.text.find(settings::kPathVariablePrefix);
      if (start == std::string::npos) continue;
      const size_t end = piece.text.find('\\', start);
      name = piece.text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      break;
    }
    if (name.empty()) break;
    std::string value = lookup(name);
    if (value.empty()) value = path::folderOf(mappingPath);
    pieces = replaceInStored(pieces, name, value);
    size_t total = 0;
    for (const Piece& piece : pieces) total += piece.text.size();
    if (total > kMaxExpandedBytes) return text;
  }
  std::string result;
  for (const Piece& piece : pieces) result += piece.text;
  return result;
}

std::string RegistryVariables::operator()(const std::string& name) {
  auto known = known_.find(name);
  if (known != known_.end()) return known->second;
  std::string value = settings::Settings(env_.registry).readMachineThenUser(env_.codePage.toUpper(name));
  known_.emplace(name, value);
  return value;
}

}  // namespace tarvek
