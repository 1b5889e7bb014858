// ZaZiruDA.exe, the stand-in uninstaller: ZaZiruDA.exe "<log>" [-<language>]
// Undoes what the installation log lists, in reverse order: string values
// (kinds 6 and 12) are deleted, keys (kind 7) removed when left empty, files
// (kinds 3 and 11, the first field) deleted, the plug-in folder (kind 2)
// removed when empty. The active index database (kind 9) is the user's and
// stays. Prints what it did; exit status 0, or 1 when the log cannot be read.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct LogLine {
  unsigned kind = 0;
  std::vector<std::string> fields;
};

std::vector<std::string> splitFields(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t bar = text.find('|', start);
    fields.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return fields;
    start = bar + 1;
  }
}

// The whole file through the Win32 API, which keeps the program small.
bool readWhole(const std::string& path, std::string* text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) text->append(buffer, got);
  CloseHandle(file);
  return ok;
}

bool readLog(const std::string& path, std::vector<LogLine>* lines) {
  std::string text;
  if (!readWhole(path, &text)) return false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    LogLine entry;
    entry.kind = static_cast<unsigned>(std::strtoul(line.substr(0, equals).c_str(), nullptr, 10));
    entry.fields = splitFields(line.substr(equals + 1));
    lines->push_back(entry);
  }
  return true;
}

HKEY hiveOf(const std::string& number) {
  if (number == "1") return HKEY_CURRENT_USER;
  if (number == "2") return HKEY_CLASSES_ROOT;
  return HKEY_LOCAL_MACHINE;
}

void deleteValue(const LogLine& line) {
  if (line.fields.size() < 4) return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(hiveOf(line.fields[0]), line.fields[2].c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  if (RegDeleteValueA(key, line.fields[3].c_str()) == ERROR_SUCCESS)
    std::printf("value %s\\%s\n", line.fields[2].c_str(), line.fields[3].c_str());
  RegCloseKey(key);
}

// A key is only removed when nothing else is kept in it.
void deleteEmptyKey(const LogLine& line) {
  if (line.fields.size() < 2) return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(hiveOf(line.fields[0]), line.fields[1].c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 1, values = 1;
  const bool queried = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                        nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  if (queried && subkeys == 0 && values == 0 &&
      RegDeleteKeyA(hiveOf(line.fields[0]), line.fields[1].c_str()) == ERROR_SUCCESS)
    std::printf("key %s\n", line.fields[1].c_str());
}

void deleteFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) std::printf("file %s\n", path.c_str());
}

// The first argument, with or without double quotes.
std::string logArgument(const char* commandLine) {
  std::string text = commandLine;
  size_t at = 0;
  if (!text.empty() && text[0] == '"') {
    at = text.find('"', 1);
    at = at == std::string::npos ? text.size() : at + 1;
  } else {
    at = text.find(' ');
    if (at == std::string::npos) at = text.size();
  }
  while (at < text.size() && text[at] == ' ') ++at;
  if (at < text.size() && text[at] == '"') {
    const size_t end = text.find('"', at + 1);
    return text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
  }
  const size_t end = text.find(' ', at);
  return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace

int main() {
  const std::string logPath = logArgument(GetCommandLineA());
  std::vector<LogLine> lines;
  if (logPath.empty() || !readLog(logPath, &lines)) {
    std::fprintf(stderr, "ZaZiruDA: cannot read the installation log '%s'\n", logPath.c_str());
    return 1;
  }
  std::string pluginFolder;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    switch (it->kind) {
      case 2: pluginFolder = it->fields[0]; break;
      case 3:
      case 11: deleteFile(it->fields[0]); break;
      case 6:
      case 12: deleteValue(*it); break;
      case 7: deleteEmptyKey(*it); break;
      default: break;
    }
  }
  if (!pluginFolder.empty() && RemoveDirectoryA(pluginFolder.c_str()))
    std::printf("folder %s\n", pluginFolder.c_str());
  return 0;
}
