#include "ui/HitNavigation.h"

#include <vector>

namespace tarvek::ui {

using namespace host;

AVDoc openInViewer(const ViewerTables& viewer, const std::string& path) {
  const ASAtom cstring = viewer.core->ASAtomFromString("Cstring");
  ASPathName pathName = viewer.support->ASFileSysCreatePathName(nullptr, cstring, path.c_str(), nullptr);
  AVDoc document = viewer.view->AVDocOpenFromFile(pathName, viewer.support->ASGetDefaultFileSys(), nullptr);
  if (pathName) viewer.support->ASFileSysReleasePath(nullptr, pathName);
  return document;
}

NavResult highlightPageHits(const ViewerTables& viewer, const SearchResultSet& results, AVDoc document,
                            int32_t page) {
  const FileHit* file = results.current();
  PDDoc pdDoc = viewer.view->AVDocGetPDDoc(document);
  if (!pdDoc) return NavResult::noPdfDoc;
  PDPage pdPage = viewer.pdModel->PDDocAcquirePage(pdDoc, page);
  if (!pdPage) return NavResult::noPage;

  // The viewer takes the low 16 bits of each occurrence as the word position.
  std::vector<HighlightEntry> entries;
  if (file && page >= 0 && page < file->pageCount) {
    const std::vector<uint32_t>& values = file->pageOccurrences(page);
    const int32_t count = file->occurrenceCount(page);
    for (int32_t i = 0; i < count && static_cast<size_t>(i) < values.size(); ++i)
      entries.push_back({static_cast<uint16_t>(values[i] & 0xFFFFu), 0});
  }
  if (entries.empty()) {
    viewer.pdModel->PDPageRelease(pdPage);
    return NavResult::noHits;
  }
  PDTextSelect selection =
      viewer.pdModel->createHitSelection(pdPage, entries.data(), static_cast<ASInt32>(entries.size()));
  viewer.pdModel->PDPageRelease(pdPage);
  if (!selection) return NavResult::noSelection;
  viewer.view->AVDocSetSelection(document, viewer.core->ASAtomFromString("Text"), selection, 1);
  return NavResult::shown;
}

NavResult navigateHits(const ViewerTables& viewer, SearchResultSet& results, NavDirection direction) {
  // Each step into a neighbouring file is one more turn of this loop.
  for (;;) {
    FileHit* file = results.current();
    if (!file) return NavResult::notOpened;
    // Opened on every step, also when it is open already: the viewer brings it forward.
    AVDoc document = openInViewer(viewer, file->filePath);
    if (!document) return NavResult::notOpened;

    int32_t page = -1;
    if (direction == NavDirection::nextHitPage) page = results.nextHitPage();
    else if (direction == NavDirection::previousHitPage) page = results.previousHitPage();

    if (page != -1) {
      file->shownPage = page;
      if (AVPageView pageView = viewer.view->AVDocGetPageView(document)) viewer.view->AVPageViewGoTo(pageView, page);
      const NavResult result = highlightPageHits(viewer, results, document, page);
      if (result == NavResult::shown) file->currentPage = page;
      return result;
    }

    const bool forward = direction == NavDirection::nextHitPage || direction == NavDirection::nextFile;
    direction = forward ? NavDirection::nextHitPage : NavDirection::previousHitPage;
    const bool moved = forward ? results.nextFile() : results.previousFile();
    if (!moved) {
      viewer.view->hostBeep(0);
      return NavResult::shown;
    }
    results.current()->currentPage = -1;
  }
}

}  // namespace tarvek::ui
