#pragma once
// The wizard's rules that do not need a window: the order of the pages, the
// running-viewer titles, the target list's lines and forward checks, and the
// user data page's trimming.

#include <string>
#include <vector>

#include "installer/FileVersionRecord.h"
#include "installer/ViewerDetection.h"

namespace tarvek::installer {

enum class Page { welcome, target, licence, userData };

// The pages in forward order: the licence page only when a licence is
// configured, the user data page only in the full variant. Back returns
// along the same list, so a page not shown is skipped both ways.
std::vector<Page> pageOrder(bool hasLicence, bool fullVariant);

// Window titles read up to this many characters when looking for a running viewer.
inline constexpr size_t kMaxWindowTitle = 99;
// True iff a top-level window titled `title` is a running viewer: its title
// (cut to 99 characters) begins with "Adobe Acrobat", "Acrobat Reader" or
// "Adobe Reader", case and all.
bool isViewerWindowTitle(const std::string& title);

// One line of the target page's list, "%c %s %u.%02u (%s)": "*" when the
// plug-in is there already, the viewer's name, major and minor product
// version, the folder. `viewerName` is the installation's kind as shown.
std::string targetListLine(const std::string& format, const ViewerInstallation& installation,
                           const std::string& viewerName);

// The selection the target page opens with: the remembered one when it is
// an index of the list, else the default.
int initialSelection(int remembered, const ViewerDetection& detection);

// Forward on the target page asks whether to go on with another installation
// than the one that opens PDF files.
bool asksAboutDefault(const ViewerDetection& detection, int selection);
// Forward on the target page asks whether to replace a newer plug-in.
bool asksAboutNewerPlugin(const ViewerInstallation& installation, const FileVersionRecord& medium);

// Removes every character up to and including the blank (code 32) at both ends.
std::string trimmed(const std::string& text);
// The user data page's forward button is enabled exactly when both trimmed texts hold something.
bool userDataComplete(const std::string& name, const std::string& company);
// Name and company are kept to this many characters.
inline constexpr size_t kMaxUserText = 260;

}  // namespace tarvek::installer
