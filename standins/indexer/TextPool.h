#pragma once
// Text extraction on several threads. Workers read the PDF files and split
// their pages into words; the indexer takes the results one by one in the
// files' order, so the index does not depend on how many threads ran. At
// most a few files per thread wait to be taken, which bounds the memory.

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "standins/indexer/PageOcr.h"

namespace tarvek::indexer {

struct FileStamp {
  uint64_t size = 0;
  int64_t lastWrite = 0;  // nanoseconds of the file system's clock
  bool operator==(const FileStamp& o) const { return size == o.size && lastWrite == o.lastWrite; }
};

// Size and last-write time; false when the file cannot be asked.
bool stampOf(const std::filesystem::path& file, FileStamp* stamp);

struct ExtractedFile {
  bool ok = false;
  std::string problem;  // why not, when !ok
  std::string title;
  FileStamp stamp;  // as it was before it was read
  // Per page, its words in index form (lower case, at most 255 bytes), in
  // reading order, each followed by '\n'.
  std::vector<std::string> pageWords;
  size_t ocrPages = 0, emptyPages = 0;    // as PdfText counts them
  std::vector<std::string> pageProblems;  // "page N: why", pages OCR could not read
};

// `whileRead` runs between reading the text and checking the file again
// (tests change the file there).
ExtractedFile extractFile(const std::filesystem::path& file, const OcrSettings& ocr = {OcrMode::off},
                          const std::function<void()>& whileRead = {});

class ExtractionPool {
 public:
  ExtractionPool(std::vector<std::filesystem::path> files, unsigned threads, OcrSettings ocr);
  ~ExtractionPool();
  ExtractionPool(const ExtractionPool&) = delete;
  ExtractionPool& operator=(const ExtractionPool&) = delete;

  // The result of the next file, in order; blocks until it is there.
  ExtractedFile take();

 private:
  void work();

  std::vector<std::filesystem::path> files_;
  OcrSettings ocr_;
  size_t window_;
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t nextToStart_ = 0, nextToTake_ = 0;
  bool stopping_ = false;
  std::map<size_t, ExtractedFile> ready_;
  std::vector<std::thread> threads_;
};

}  // namespace tarvek::indexer
