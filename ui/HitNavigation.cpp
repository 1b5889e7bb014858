#include "ui/HitNavigation.h"

#include <vector>

#include "host/ExceptionFrame.h"

namespace tarvek::ui {

using namespace host;

AVDoc openInViewer(const ViewerTables& viewer, const std::string& path) {
  const ASAtom cstring = viewer.core.ASAtomFromString("Cstring");
  const char* text = path.c_str();
  ASPathName pathName = answerOrFallback<ASPathName>(viewer.core, nullptr, [&] {
    return viewer.support.ASFileSysCreatePathName(nullptr, cstring, text, nullptr);
  });
  if (!pathName) return nullptr;
  AVDoc document = viewer.view.AVDocOpenFromFile(pathName, viewer.support.ASGetDefaultFileSys(), nullptr);
  viewer.support.ASFileSysReleasePath(nullptr, pathName);
  return document;
}

NavResult highlightPageHits(const ViewerTables& viewer, const SearchResultSet& results, AVDoc document,
                            int32_t page) {
  const FileHit* file = results.current();
  PDDoc pdDoc = viewer.view.AVDocGetPDDoc(document);
  if (!pdDoc) return NavResult::noPdfDoc;
  // A page the document no longer has (the PDF was edited after indexing) is raised, not answered.
  PDPage pdPage =
      answerOrFallback<PDPage>(viewer.core, nullptr, [&] { return viewer.pdModel.PDDocAcquirePage(pdDoc, page); });
  if (!pdPage) return NavResult::noPage;

  // The low 16 bits of each occurrence are its word position; each entry
  // selects that one word.
  std::vector<HighlightEntry> entries;
  if (file && page >= 0 && page < file->pageCount) {
    const std::vector<uint32_t>& values = file->pageOccurrences(page);
    const int32_t count = file->occurrenceCount(page);
    for (int32_t i = 0; i < count && static_cast<size_t>(i) < values.size(); ++i)
      entries.push_back({static_cast<uint16_t>(values[i] & 0xFFFFu), 1});
  }
  if (entries.empty()) {
    viewer.pdModel.PDPageRelease(pdPage);
    return NavResult::noHits;
  }
  PDTextSelect selection =
      viewer.pdModel.PDTextSelectCreateWordHilite(pdPage, entries.data(), static_cast<ASInt32>(entries.size()));
  viewer.pdModel.PDPageRelease(pdPage);
  if (!selection) return NavResult::noSelection;
  // The document owns a selection it takes; one it refuses, or raises over, is still ours.
  const ASAtom text = viewer.core.ASAtomFromString("Text");
  const ASBool taken = answerOrFallback<ASBool>(
      viewer.core, 0, [&] { return viewer.view.AVDocSetSelection(document, text, selection, 1); });
  if (!taken) {
    viewer.pdModel.PDTextSelectDestroy(selection);
    return NavResult::noSelection;
  }
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
      if (AVPageView pageView = viewer.view.AVDocGetPageView(document)) viewer.view.AVPageViewGoTo(pageView, page);
      const NavResult result = highlightPageHits(viewer, results, document, page);
      if (result == NavResult::shown) file->currentPage = page;
      return result;
    }

    const bool forward = direction == NavDirection::nextHitPage || direction == NavDirection::nextFile;
    direction = forward ? NavDirection::nextHitPage : NavDirection::previousHitPage;
    const bool moved = forward ? results.nextFile() : results.previousFile();
    if (!moved) {
      viewer.view.AVSysBeep(0);
      return NavResult::shown;
    }
    results.current()->currentPage = -1;
  }
}

}  // namespace tarvek::ui
