#pragma once
// A stand-in viewer laid out in a scratch folder and run in script mode:
// viewer.exe with Plug_ins\Tarvek\query.API and, when wanted, the engine
// double beside the plug-in. The folder goes when the object does.

#include <string>
#include <vector>

#include "tests/win32/ScratchFolder.h"

namespace tarvek::testing {

class ViewerRun {
 public:
  ViewerRun();
  ViewerRun(const ViewerRun&) = delete;
  ViewerRun& operator=(const ViewerRun&) = delete;

  // The scratch folder holding viewer.exe.
  const std::string& folder() const { return folder_; }
  // Copies query.API into Plug_ins\Tarvek\, with the engine double as
  // vovar_av.dll beside it when `withEngine`.
  void installPlugIn(bool withEngine = true);
  void expectFrameErrors() { frameErrorsExpected_ = true; }
  // Copies a built file to `relative` below the folder, making folders.
  void copyInto(const std::string& source, const std::string& relative);

  // Runs the viewer with this script (UTF-8) and options; returns its
  // standard output, one line each. `pathPrefix` goes in front of PATH.
  // A trap, a raise past a plug-in or an unbalanced frame stack fails the
  // test, unless the test looks for one itself (expectFrameErrors).
  std::vector<std::string> run(const std::string& script, const std::vector<std::string>& options = {},
                               const std::string& pathPrefix = {});

 private:
  ScratchFolder scratch_;
  std::string folder_;
  bool frameErrorsExpected_ = false;
};

// Lines of `lines` that start with `prefix`.
std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);

}  // namespace tarvek::testing
