#pragma once
// ANSI code-page seam: case mapping and comparison that understand the
// system code page (multibyte-aware on Windows), and conversion to UTF-8 for
// output that must not depend on the code page.

#include <string>

namespace tarvek {

class CodePage {
 public:
  virtual ~CodePage() = default;
  virtual std::string toLower(const std::string& text) = 0;
  virtual std::string toUpper(const std::string& text) = 0;
  // <0, 0 or >0 as the texts order ignoring case.
  virtual int compareIgnoreCase(const std::string& a, const std::string& b) = 0;
  bool equalIgnoreCase(const std::string& a, const std::string& b) {
    return compareIgnoreCase(a, b) == 0;
  }
  virtual std::string toUtf8(const std::string& ansi) = 0;
  virtual std::string fromUtf8(const std::string& utf8) = 0;
};

}  // namespace tarvek
