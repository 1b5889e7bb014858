#include "standins/lingdata/DicLine.h"

namespace tarvek::lingdata {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Where the morphology starts: the first tab, or the blank before the first
// field of the form "xx:"; npos when there is none.
size_t morphologyStart(std::string_view line) {
  size_t start = line.find('\t');
  for (size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1))
    if (colon >= 3 && line[colon - 3] == ' ') {
      start = std::min(start, colon - 3);
      break;
    }
  return start;
}

}  // namespace

std::optional<DicEntry> parseDicLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  size_t end = morphologyStart(line);
  DicEntry entry;
  if (end != std::string_view::npos) {
    entry.morphology = std::string(line.substr(end + 1));
    line = line.substr(0, end);
  }
  bool flagged = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '/') {
      entry.word += '/';
      ++i;
    } else if (line[i] == '/') {
      // The flags end at a blank; an alias number may follow (hu_HU "ház/1 2"
      // when it writes no tab).
      const size_t flagsEnd = line.find_first_of(" \t", i + 1);
      entry.flags = std::string(line.substr(i + 1, flagsEnd == std::string_view::npos ? flagsEnd : flagsEnd - i - 1));
      if (flagsEnd != std::string_view::npos && entry.morphology.empty())
        entry.morphology = std::string(line.substr(flagsEnd + 1));
      flagged = true;
      break;
    } else {
      entry.word += line[i];
    }
  }
  // Without flags a number after the word is an alias of its morphology
  // (AM), not a part of the word.
  if (const size_t blank = entry.word.find_last_of(" \t"); !flagged && blank != std::string::npos &&
                                                          blank + 1 < entry.word.size() &&
                                                          entry.word.find_first_not_of("0123456789", blank + 1) ==
                                                              std::string::npos) {
    if (entry.morphology.empty()) entry.morphology = entry.word.substr(blank + 1);
    entry.word.resize(blank);
  }
  while (!entry.word.empty() && isBlank(entry.word.back())) entry.word.pop_back();
  if (entry.word.empty()) return std::nullopt;
  return entry;
}

}  // namespace tarvek::lingdata
