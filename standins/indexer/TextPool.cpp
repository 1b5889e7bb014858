#include "standins/indexer/TextPool.h"

#include <algorithm>

#include "standins/engine/SbiWriter.h"
#include "standins/engine/WordText.h"
#include "standins/indexer/PdfText.h"

namespace tarvek::indexer {

bool stampOf(const std::filesystem::path& file, FileStamp* stamp) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error) return false;
  const auto time = std::filesystem::last_write_time(file, error);
  if (error) return false;
  stamp->size = size;
  stamp->lastWrite = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
  return true;
}

ExtractedFile extractFile(const std::filesystem::path& file, const OcrSettings& ocr,
                          const std::function<void()>& whileRead) {
  ExtractedFile result;
  if (!stampOf(file, &result.stamp)) {
    result.problem = "it cannot be opened";
    return result;
  }
  const auto text = readPdfText(file.string(), &result.problem, ocr);
  if (!text) return result;
  if (whileRead) whileRead();
  // A file rewritten while it was read may mix two versions: it is left out,
  // and the next update takes it.
  FileStamp after;
  if (!stampOf(file, &after) || !(after == result.stamp)) {
    result.problem = "it changed while it was read";
    return result;
  }
  result.title = text->title;
  result.ocrPages = text->ocrPages;
  result.emptyPages = text->emptyPages;
  result.pageProblems = text->pageProblems;
  result.pageWords.reserve(text->pages.size());
  for (const auto& page : text->pages) {
    std::string words;
    sbi::forEachWord(sbi::joinLineEndHyphens(page), [&](std::string_view word, size_t) {
      words += sbi::indexForm(word);
      words += '\n';
    });
    result.pageWords.push_back(std::move(words));
  }
  result.ok = true;
  return result;
}

ExtractionPool::ExtractionPool(std::vector<std::filesystem::path> files, unsigned threads, OcrSettings ocr)
    : files_(std::move(files)), ocr_(std::move(ocr)), window_(2 * size_t{std::max(1u, threads)}) {
  const size_t count = std::min<size_t>(std::max(1u, threads), files_.size());
  for (size_t i = 0; i < count; ++i) threads_.emplace_back([this] { work(); });
}

ExtractionPool::~ExtractionPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (auto& thread : threads_) thread.join();
}

void ExtractionPool::work() {
  for (;;) {
    size_t index = 0;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] {
        return stopping_ || nextToStart_ >= files_.size() || nextToStart_ < nextToTake_ + window_;
      });
      if (stopping_ || nextToStart_ >= files_.size()) return;
      index = nextToStart_++;
    }
    ExtractedFile result = extractFile(files_[index], ocr_);
    {
      std::lock_guard lock(mutex_);
      ready_.emplace(index, std::move(result));
    }
    changed_.notify_all();
  }
}

ExtractedFile ExtractionPool::take() {
  std::unique_lock lock(mutex_);
  const size_t index = nextToTake_;
  changed_.wait(lock, [&] { return ready_.count(index) > 0; });
  ExtractedFile result = std::move(ready_.at(index));
  ready_.erase(index);
  ++nextToTake_;
  lock.unlock();
  changed_.notify_all();
  return result;
}

}  // namespace tarvek::indexer
