#include "standins/viewer/PdfPages.h"

#include <windows.h>

#include <cctype>

namespace viewer {

int pdfPageCountOf(const std::string& bytes) {
  if (bytes.compare(0, 5, "%PDF-") != 0) return -1;
  int count = 0;
  for (size_t at = bytes.find("/Type"); at != std::string::npos; at = bytes.find("/Type", at + 5)) {
    size_t p = at + 5;
    while (p < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[p]))) ++p;
    if (bytes.compare(p, 5, "/Page") != 0) continue;
    p += 5;
    // "/Pages" is the page tree, not a page.
    if (p < bytes.size() && std::isalnum(static_cast<unsigned char>(bytes[p]))) continue;
    ++count;
  }
  return count;
}

int pdfPageCount(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return pdfPageCountOf(bytes);
}

}  // namespace viewer
