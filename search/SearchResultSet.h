#pragma once
// The result of the last search: the PDF files with hits, per page the
// occurrence count and values the engine reported, and the cursors that
// navigation moves.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/LocalTime.h"

namespace tarvek {

inline constexpr int32_t kNoHit = -1;

struct FileHit {
  std::string filePath;   // identifies the hit; compared exactly
  std::string indexName;  // index in which the file was first hit
  int indexEntry = -1;    // its entry in the active index list then; -1 when not known
  std::string pdfTitle;
  std::string sizeText;   // file size as decimal text
  SystemTime modified;    // all zero when the PDF was missing
  int32_t pageCount = 0;
  int32_t currentPage = -1;  // navigation cursor; -1 = no page visited
  int32_t shownPage = 0;     // page last chosen for display
  int32_t hitPageCount = 0;     // filled by computeTotals
  int32_t occurrenceTotal = 0;  // filled by computeTotals

  // Marks `page` as hit with `count` occurrences and returns the `count`
  // zeroed slots for their values. The count and the slots are set together.
  uint32_t* recordPage(int32_t page, uint32_t count);
  bool isHit(int32_t page) const { return occurrenceCounts[page] != kNoHit; }
  int32_t occurrenceCount(int32_t page) const { return occurrenceCounts[page]; }
  // The page's occurrence values; empty for a page without hit.
  const std::vector<uint32_t>& pageOccurrences(int32_t page) const { return occurrences[page]; }

  std::vector<int32_t> occurrenceCounts;          // pageCount entries, kNoHit = page without hit
  std::vector<std::vector<uint32_t>> occurrences;  // pageCount entries
};

class SearchResultSet {
 public:
  void clear();
  int fileCount() const { return static_cast<int>(files_.size()); }
  int totalHitPages() const;
  // The current file, or null when none is current.
  FileHit* current();
  const FileHit* current() const;
  int currentFile() const { return currentFile_; }
  FileHit& file(int position) { return files_.at(position); }
  const FileHit& file(int position) const { return files_.at(position); }

  bool selectFile(int position);
  bool nextFile();
  bool previousFile();
  // Position of the file with exactly this path, made current; -1 (and the
  // cursor unchanged) when there is none.
  int findFile(const std::string& path);
  // Appends a file with no hit pages, makes it current and returns its position.
  int addFile(const std::string& path, int32_t pageCount);
  // findFile, and addFile when that finds nothing, with one path lookup.
  // *added tells which happened.
  int findOrAddFile(const std::string& path, int32_t pageCount, bool* added);

  // For the current file: the first hit page after currentPage, or -1.
  int32_t nextHitPage() const;
  // For the current file: the last hit page before currentPage (before the
  // end when currentPage is -1), or -1.
  int32_t previousHitPage() const;
  // Fills hitPageCount and occurrenceTotal of every file.
  void computeTotals();

  const std::string& queryText() const { return queryText_; }
  void setQueryText(std::string text) { queryText_ = std::move(text); }

  // Reorders the files (the results dialog sorts them); `order` lists the old
  // positions in their new order. The current file stays current.
  void reorder(const std::vector<int>& order);

 private:
  // Appends the file and makes it current; the caller keeps the path index.
  void appendFile(const std::string& path, int32_t pageCount);

  std::string queryText_;
  std::vector<FileHit> files_;
  std::unordered_map<std::string, int> positionByPath_;  // first-wins lookup by exact path
  int currentFile_ = -1;
};

// The plug-in's one result set, alive as long as the module is loaded.
SearchResultSet& processResultSet();

}  // namespace tarvek
