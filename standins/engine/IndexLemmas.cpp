#include "standins/engine/IndexLemmas.h"

#include "standins/engine/LingWriter.h"

namespace tarvek::sbi {
namespace {

// The section's bytes as a file of their own: offsets within the section.
class SectionWindow final : public PostingsSource {
 public:
  SectionWindow(PostingsSource& file, uint64_t start, uint64_t size) : file_(file), start_(start), size_(size) {}
  bool read(uint64_t offset, uint32_t size, std::vector<uint8_t>* out) override {
    if (offset > size_ || size > size_ - offset) return false;
    return file_.read(start_ + offset, size, out) && out->size() == size;
  }

 private:
  PostingsSource& file_;  // not owned: the open index's file
  uint64_t start_, size_;
};

}  // namespace

std::vector<uint8_t> buildLemmaSection(uint16_t language, const LemmaJoins& joins) {
  if (joins.empty()) return {};
  ling::LingSource source;
  source.lemmas = joins;
  return ling::buildLingData(language, source);
}

ling::LingReader* IndexLemmas::reader(bool* damaged) {
  *damaged = false;
  if (!present()) return nullptr;
  if (!tried_) {
    tried_ = true;
    reader_ = ling::LingReader::open(std::make_unique<SectionWindow>(file_, index_.lemmasStart, index_.lemmasSize),
                                     index_.lemmasSize, index_.language, verify_);
  }
  *damaged = !reader_;
  return reader_.get();
}

}  // namespace tarvek::sbi
