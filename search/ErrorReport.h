#pragma once
// The one modal report of errors and warnings: message, index path, PDF file
// path and the engine's error number. The core hands reports to an
// ErrorReporter; on Windows that is the error dialog, in tests a recorder.

#include <cstdint>
#include <string>

namespace tarvek {

enum class ErrorKind { warning, error };

struct ErrorReport {
  ErrorKind kind = ErrorKind::error;
  std::string message;
  std::string indexPath;  // may be empty; the "Index:" line is shown anyway
  std::string filePath;   // may be empty; the "Súbor:" line is shown anyway
  uint16_t number = 0;    // 0 shows no number

  bool operator==(const ErrorReport&) const = default;
};

// Result of showing a report: 1 when closed with OK, 2 otherwise.
inline constexpr int kReportOk = 1;
inline constexpr int kReportClosed = 2;

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // Shows the report modally and returns kReportOk or kReportClosed.
  virtual int show(const ErrorReport& report) = 0;

  // The five forms in use.
  int warning(const std::string& message) { return show({ErrorKind::warning, message, {}, {}, 0}); }
  int warning(const std::string& message, const std::string& indexPath) {
    return show({ErrorKind::warning, message, indexPath, {}, 0});
  }
  int error(const std::string& message, const std::string& indexPath) {
    return show({ErrorKind::error, message, indexPath, {}, 0});
  }
  int error(const std::string& message, const std::string& indexPath, const std::string& filePath) {
    return show({ErrorKind::error, message, indexPath, filePath, 0});
  }
  int error(const std::string& message, const std::string& indexPath, const std::string& filePath,
            uint16_t number) {
    return show({ErrorKind::error, message, indexPath, filePath, number});
  }
};

// Text of the number field: empty for 0, else the decimal digits.
std::string errorNumberText(uint16_t number);

}  // namespace tarvek
