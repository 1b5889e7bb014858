#include "installer/WizardRules.h"

#include "installer/TextFormat.h"

namespace tarvek::installer {

std::vector<Page> pageOrder(bool hasLicence, bool fullVariant) {
  std::vector<Page> pages = {Page::welcome, Page::target};
  if (hasLicence) pages.push_back(Page::licence);
  if (fullVariant) pages.push_back(Page::userData);
  return pages;
}

bool isViewerWindowTitle(const std::string& title) {
  const std::string cut = title.substr(0, kMaxWindowTitle);
  for (const char* prefix : {"Adobe Acrobat", "Acrobat Reader", "Adobe Reader"})
    if (cut.rfind(prefix, 0) == 0) return true;
  return false;
}

std::string targetListLine(const std::string& format, const ViewerInstallation& installation,
                           const std::string& viewerName) {
  return formatText(format.c_str(), installation.pluginInstalled ? '*' : ' ', viewerName.c_str(),
                    static_cast<unsigned>(installation.programVersion.productMajor()),
                    static_cast<unsigned>(installation.programVersion.productMinor()), installation.folder.c_str());
}

int initialSelection(int remembered, const ViewerDetection& detection) {
  if (remembered >= 0 && static_cast<size_t>(remembered) < detection.installations.size()) return remembered;
  return detection.defaultIndex;
}

bool asksAboutDefault(const ViewerDetection& detection, int selection) {
  return detection.associationIndex != -1 && selection != detection.defaultIndex;
}

bool asksAboutNewerPlugin(const ViewerInstallation& installation, const FileVersionRecord& medium) {
  return installation.pluginInstalled && compareVersions(installation.pluginVersion, medium) > 0;
}

std::string trimmed(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

bool userDataComplete(const std::string& name, const std::string& company) {
  return !trimmed(name).empty() && !trimmed(company).empty();
}

}  // namespace tarvek::installer
