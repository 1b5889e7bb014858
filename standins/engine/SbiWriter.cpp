#include "standins/engine/SbiWriter.h"

#include <algorithm>

#include "standins/engine/ByteIo.h"
#include "standins/engine/Crc32.h"
#include "standins/engine/SbiIndex.h"
#include "standins/engine/WordText.h"

namespace tarvek::sbi {
namespace {

// Words longer than a short text holds are cut; nobody searches for them whole.
std::string clip(std::string word) {
  if (word.size() > 255) word.resize(255);
  return word;
}

void encodePostings(const std::vector<uint64_t>& hits, ByteWriter& out) {
  // Count the pages first: the block starts with it.
  uint32_t pages = 0;
  for (size_t i = 0; i < hits.size(); ++i)
    if (i == 0 || (hits[i] >> 16) != (hits[i - 1] >> 16)) ++pages;
  out.varint(pages);
  uint32_t previousPage = 0;
  for (size_t i = 0; i < hits.size();) {
    const uint32_t page = static_cast<uint32_t>(hits[i] >> 16);
    size_t end = i;
    while (end < hits.size() && (hits[end] >> 16) == page) ++end;
    out.varint(i == 0 ? page : page - previousPage);
    out.varint(static_cast<uint32_t>(end - i));
    uint32_t previousPosition = 0;
    for (size_t k = i; k < end; ++k) {
      const uint32_t position = static_cast<uint32_t>(hits[k] & 0xFFFF);
      out.varint(k == i ? position : position - previousPosition);
      previousPosition = position;
    }
    previousPage = page;
    i = end;
  }
}

}  // namespace

void IndexBuilder::setExcludedWords(const std::vector<std::string>& words) {
  excluded_.clear();
  for (const auto& w : words)
    if (!w.empty()) excluded_.insert(clip(lowerWord(w)));
}

void IndexBuilder::beginPage(uint32_t topicId) {
  topicIds_.push_back(topicId);
  nextPosition_ = 0;
}

bool IndexBuilder::addWord(std::string_view word) {
  if (topicIds_.empty() || word.empty()) return false;
  const uint32_t position = nextPosition_++;
  std::string lower = clip(lowerWord(word));
  if (excluded_.count(lower)) return false;
  if (position > kMaxPosition) {
    ++dropped_;
    return false;
  }
  const uint64_t page = topicIds_.size() - 1;
  postings_[std::move(lower)].push_back((page << 16) | position);
  ++occurrences_;
  return true;
}

size_t IndexBuilder::addText(std::string_view text) {
  size_t indexed = 0;
  forEachWord(text, [&](std::string_view word, size_t) { indexed += addWord(word) ? 1 : 0; });
  return indexed;
}

std::vector<uint8_t> IndexBuilder::build() const {
  std::vector<const std::string*> terms;
  terms.reserve(postings_.size());
  for (const auto& [term, hits] : postings_) terms.push_back(&term);
  std::sort(terms.begin(), terms.end(), [](const std::string* a, const std::string* b) { return *a < *b; });
  std::vector<std::string> excluded(excluded_.begin(), excluded_.end());
  std::sort(excluded.begin(), excluded.end());

  ByteWriter blob;
  std::vector<uint32_t> sizes, crcs;
  sizes.reserve(terms.size());
  crcs.reserve(terms.size());
  for (const std::string* term : terms) {
    const size_t before = blob.size();
    encodePostings(postings_.at(*term), blob);
    sizes.push_back(static_cast<uint32_t>(blob.size() - before));
    crcs.push_back(crc32(blob.bytes().data() + before, blob.size() - before));
  }

  ByteWriter out;
  out.raw(std::string_view(kMagic, sizeof kMagic));
  out.u16(kFormatVersion);
  out.u16(language_);
  out.u32(attributes_);
  out.u32(created_);
  out.u32(updated_);
  out.u32(static_cast<uint32_t>(topicIds_.size()));
  out.u32(static_cast<uint32_t>(terms.size()));
  out.u32(static_cast<uint32_t>(excluded.size()));
  out.u32(static_cast<uint32_t>(blob.size()));
  out.u32(static_cast<uint32_t>(std::min<uint64_t>(occurrences_, 0xFFFFFFFFu)));
  const size_t headSizeAt = out.size();
  out.u32(0);  // head size, known once the dictionary is written
  out.shortText(name_.substr(0, 255));
  out.shortText(indexerNumber_.substr(0, 255));
  for (uint32_t id : topicIds_) out.u32(id);
  for (const auto& word : excluded) out.shortText(word);
  for (size_t i = 0; i < terms.size(); ++i) {
    out.shortText(*terms[i]);
    out.varint(sizes[i]);
    out.u32(crcs[i]);
  }
  out.patchU32(headSizeAt, static_cast<uint32_t>(out.size()));
  out.u32(crc32(out.bytes().data(), out.size()));
  out.raw(std::string_view(reinterpret_cast<const char*>(blob.bytes().data()), blob.size()));
  return std::move(out.bytes());
}

}  // namespace tarvek::sbi
