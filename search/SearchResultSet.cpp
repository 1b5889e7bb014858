#include "search/SearchResultSet.h"

#include <algorithm>

namespace tarvek {

uint32_t* FileHit::recordPage(int32_t page, uint32_t count) {
  occurrenceCounts[page] = static_cast<int32_t>(count);
  occurrences[page].assign(count, 0);
  return occurrences[page].data();
}

void SearchResultSet::clear() {
  files_.clear();
  positionByPath_.clear();
  currentFile_ = -1;
}

int SearchResultSet::totalHitPages() const {
  int total = 0;
  for (const FileHit& file : files_) total += file.hitPageCount;
  return total;
}

FileHit* SearchResultSet::current() { return currentFile_ < 0 ? nullptr : &files_[currentFile_]; }

const FileHit* SearchResultSet::current() const { return currentFile_ < 0 ? nullptr : &files_[currentFile_]; }

bool SearchResultSet::selectFile(int position) {
  if (position < 0 || position >= fileCount()) return false;
  currentFile_ = position;
  return true;
}

bool SearchResultSet::nextFile() { return selectFile(currentFile_ + 1); }

bool SearchResultSet::previousFile() { return currentFile_ > 0 && selectFile(currentFile_ - 1); }

int SearchResultSet::findFile(const std::string& path) {
  auto it = positionByPath_.find(path);
  if (it == positionByPath_.end()) return -1;
  currentFile_ = it->second;
  return it->second;
}

int SearchResultSet::findOrAddFile(const std::string& path, int32_t pageCount, bool* added) {
  const auto [it, inserted] = positionByPath_.try_emplace(path, fileCount());
  *added = inserted;
  if (!inserted) {
    currentFile_ = it->second;
    return it->second;
  }
  appendFile(path, pageCount);
  return currentFile_;
}

int SearchResultSet::addFile(const std::string& path, int32_t pageCount) {
  appendFile(path, pageCount);
  positionByPath_.emplace(path, currentFile_);  // keeps an earlier file with the same path
  return currentFile_;
}

void SearchResultSet::appendFile(const std::string& path, int32_t pageCount) {
  FileHit hit;
  hit.filePath = path;
  hit.pageCount = pageCount < 0 ? 0 : pageCount;
  hit.occurrenceCounts.assign(hit.pageCount, kNoHit);
  hit.occurrences.resize(hit.pageCount);
  files_.push_back(std::move(hit));
  currentFile_ = fileCount() - 1;
}

int32_t SearchResultSet::nextHitPage() const {
  const FileHit* file = current();
  if (!file) return -1;
  for (int32_t page = std::max(file->currentPage + 1, 0); page < file->pageCount; ++page)
    if (file->isHit(page)) return page;
  return -1;
}

int32_t SearchResultSet::previousHitPage() const {
  const FileHit* file = current();
  if (!file) return -1;
  const int32_t start = file->currentPage == -1 ? file->pageCount : std::min(file->currentPage, file->pageCount);
  for (int32_t page = start - 1; page >= 0; --page)
    if (file->isHit(page)) return page;
  return -1;
}

void SearchResultSet::computeTotals() {
  for (FileHit& file : files_) {
    file.hitPageCount = 0;
    file.occurrenceTotal = 0;
    for (int32_t count : file.occurrenceCounts) {
      if (count == kNoHit) continue;
      ++file.hitPageCount;
      file.occurrenceTotal += count;
    }
  }
}

void SearchResultSet::reorder(const std::vector<int>& order) {
  // Only a permutation of the positions is accepted.
  if (order.size() != files_.size()) return;
  std::vector<bool> seen(order.size(), false);
  for (int position : order) {
    if (position < 0 || position >= fileCount() || seen[position]) return;
    seen[position] = true;
  }
  std::vector<FileHit> sorted;
  sorted.reserve(files_.size());
  int newCurrent = -1;
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == currentFile_) newCurrent = static_cast<int>(i);
    sorted.push_back(std::move(files_.at(order[i])));
  }
  files_ = std::move(sorted);
  currentFile_ = newCurrent;
  positionByPath_.clear();
  for (int i = 0; i < fileCount(); ++i) positionByPath_.emplace(files_[i].filePath, i);
}

SearchResultSet& processResultSet() {
  static SearchResultSet results;
  return results;
}

}  // namespace tarvek
