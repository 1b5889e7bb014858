#include "search/ErrorReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvek {
namespace {

class RecordingReporter final : public ErrorReporter {
 public:
  int show(const ErrorReport& report) override {
    reports.push_back(report);
    return kReportOk;
  }
  std::vector<ErrorReport> reports;
};

TEST(ErrorReport, TheFiveFormsFillTheirParts) {
  RecordingReporter r;
  r.warning("w");
  r.warning("w", "i.sbi");
  r.error("e", "i.sbi");
  r.error("e", "i.sbi", "f.pdf");
  r.error("e", "i.sbi", "f.pdf", 43);
  const std::vector<ErrorReport> expected = {
      {ErrorKind::warning, "w", "", "", 0},          {ErrorKind::warning, "w", "i.sbi", "", 0},
      {ErrorKind::error, "e", "i.sbi", "", 0},       {ErrorKind::error, "e", "i.sbi", "f.pdf", 0},
      {ErrorKind::error, "e", "i.sbi", "f.pdf", 43},
  };
  EXPECT_EQ(r.reports, expected);
}

TEST(ErrorReport, NumberFieldIsEmptyForZero) {
  EXPECT_EQ(errorNumberText(0), "");
  EXPECT_EQ(errorNumberText(43), "43");
  EXPECT_EQ(errorNumberText(65535), "65535");
}

}  // namespace
}  // namespace tarvek
