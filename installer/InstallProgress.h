#pragma once
// What the installation steps show while they run: the progress window
// (bar and status line) and the closing message box.

#include <string>

namespace tarvek::installer {

class InstallProgress {
 public:
  virtual ~InstallProgress() = default;
  virtual void open() = 0;
  // Moves the bar to `value` (0 to 100) and leaves the status line as it is.
  virtual void setProgress(int value) = 0;
  // Moves the bar and shows `status` (in the system code page).
  virtual void setProgress(int value, const std::string& status) = 0;
  virtual void close() = 0;
  // Shows a message whose first character is its type byte (1 to 6), not shown.
  virtual void showMessage(const std::string& text) = 0;
};

}  // namespace tarvek::installer
