#include "standins/viewer/Output.h"

#include <windows.h>

#include <cstdio>

namespace viewer {
namespace {

std::string convert(UINT from, UINT to, const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  const int m = WideCharToMultiByte(to, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(m, '\0');
  WideCharToMultiByte(to, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
  return out;
}

}  // namespace

std::string utf8FromAnsi(const std::string& ansi) { return convert(CP_ACP, CP_UTF8, ansi); }
std::string ansiFromUtf8(const std::string& utf8) { return convert(CP_UTF8, CP_ACP, utf8); }

std::string quoted(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"') {
      out += "\\\"";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void printLine(const std::string& utf8) {
  // Bytes go out unchanged: the C runtime's text mode would only add carriage returns.
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace viewer
