#include "standins/engine/SbiWriter.h"

#include <algorithm>

#include "standins/engine/Crc32.h"
#include "standins/engine/IndexLemmas.h"
#include "standins/engine/PostingsCodec.h"
#include "standins/engine/SbiIndex.h"
#include "standins/engine/WordText.h"

namespace tarvek::sbi {
namespace {

void putU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void putU64(std::vector<uint8_t>& bytes, size_t at, uint64_t v) {
  for (int i = 0; i < 8; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Writes `bytes` to `out` in chunks of `chunk` bytes, each followed by its CRC-32.
void writeChunked(ByteSink& out, const std::vector<uint8_t>& bytes, size_t chunk) {
  for (size_t at = 0; at < bytes.size(); at += chunk) {
    const size_t n = std::min(chunk, bytes.size() - at);
    out.write(bytes.data() + at, n);
    ByteWriter crc;
    crc.u32(crc32(bytes.data() + at, n));
    out.write(crc.bytes());
  }
}

}  // namespace

std::string indexForm(std::string_view word) {
  std::string lower = lowerWord(word);
  if (lower.size() > 255) lower.resize(255);  // nobody searches for such words whole
  return lower;
}

bool IndexWriter::begin(const IndexHead& head) {
  ByteWriter w;
  w.raw(std::string_view(kMagic, sizeof kMagic));
  w.u16(kFormatVersion);
  w.u16(head.language);
  w.u32(head.attributes);
  w.u32(head.created);
  w.u32(head.updated);
  while (w.size() < kHeaderSize) w.u8(0);  // counts and offsets, patched by finish
  w.shortText(std::string_view(head.name).substr(0, 255));
  w.shortText(std::string_view(head.indexerNumber).substr(0, 255));
  for (const auto& word : head.excluded) w.shortText(word);
  putU32(w.bytes(), 32, static_cast<uint32_t>(head.excluded.size()));
  head_ = std::move(w.bytes());
  std::vector<uint8_t> placeholder(head_.size() + 4, 0);
  return ok_ = out_.write(placeholder);
}

void IndexWriter::closeBlock() {
  if (termsInBlock_ == 0) return;
  block_.u32(crc32(block_.bytes().data(), block_.size()));
  blocks_.emplace_back(static_cast<uint32_t>(dictionary_.size()), static_cast<uint32_t>(block_.size()));
  ok_ &= dictionary_.write(block_.bytes());
  block_ = ByteWriter();
  termsInBlock_ = 0;
}

bool IndexWriter::addTerm(std::string_view text, const uint8_t* postings, size_t size) {
  if (!ok_ || text.empty() || text.size() > 255 || size == 0 || size > 0xFFFFFFFFu ||
      (termCount_ > 0 && text <= lastTerm_))
    return ok_ = false;
  if (termsInBlock_ == 0) {
    block_.u32(static_cast<uint32_t>(postingsSize_));
    block_.u32(static_cast<uint32_t>(postingsSize_ >> 32));
  }
  block_.shortText(text);
  block_.varint(static_cast<uint32_t>(size));
  block_.u32(crc32(postings, size));
  ok_ &= out_.write(postings, size);
  postingsSize_ += size;
  lastTerm_.assign(text);
  ++termCount_;
  if (++termsInBlock_ == kTermsPerBlock) closeBlock();
  return ok_;
}

bool IndexWriter::finish(const std::vector<uint32_t>& topicIds, uint64_t occurrences,
                         const std::vector<uint8_t>& sources, const std::vector<uint8_t>& lemmas) {
  closeBlock();
  if (!ok_) return false;
  const uint64_t postingsStart = head_.size() + 4;
  const uint64_t topicsStart = postingsStart + postingsSize_;
  ByteWriter ids;
  for (uint32_t id : topicIds) ids.u32(id);
  writeChunked(out_, ids.bytes(), size_t{kTopicsPerChunk} * 4);
  const uint64_t dictionaryStart = topicsStart + topicsSectionSize(topicIds.size());
  ok_ &= out_.size() == dictionaryStart && dictionary_.copyTo(out_);
  const uint64_t blockIndexStart = dictionaryStart + dictionary_.size();
  ByteWriter entries;
  for (const auto& [offset, size] : blocks_) {
    entries.u32(offset);
    entries.u32(size);
  }
  writeChunked(out_, entries.bytes(), size_t{kBlockEntriesPerChunk} * 8);
  uint64_t lemmasStart = 0;
  if (!lemmas.empty()) {
    lemmasStart = out_.size();
    out_.write(lemmas);
  }
  uint64_t sourcesStart = 0;
  if (!sources.empty()) {
    sourcesStart = out_.size();
    out_.write(sources);
    ByteWriter crc;
    crc.u32(crc32(sources.data(), sources.size()));
    out_.write(crc.bytes());
  }
  const uint64_t fileSize = out_.size();

  putU32(head_, 24, static_cast<uint32_t>(topicIds.size()));
  putU32(head_, 28, termCount_);
  putU32(head_, 36, static_cast<uint32_t>(std::min<uint64_t>(occurrences, 0xFFFFFFFFu)));
  putU32(head_, 40, static_cast<uint32_t>(head_.size()));
  putU32(head_, 44, static_cast<uint32_t>(blocks_.size()));
  putU64(head_, 48, postingsStart);
  putU64(head_, 56, postingsSize_);
  putU64(head_, 64, topicsStart);
  putU64(head_, 72, dictionaryStart);
  putU64(head_, 80, dictionary_.size());
  putU64(head_, 88, blockIndexStart);
  putU64(head_, 96, sourcesStart);
  putU64(head_, 104, sources.size());
  putU64(head_, 112, fileSize);
  putU64(head_, 120, lemmasStart);
  putU64(head_, 128, lemmas.size());
  std::vector<uint8_t> head = head_;
  head.resize(head.size() + 4);
  putU32(head, head_.size(), crc32(head_.data(), head_.size()));
  ok_ &= out_.patch(0, head.data(), head.size());
  return ok_;
}

void IndexBuilder::setExcludedWords(const std::vector<std::string>& words) {
  excluded_.clear();
  for (const auto& w : words)
    if (!w.empty()) excluded_.insert(indexForm(w));
}

void IndexBuilder::beginPage(uint32_t topicId) {
  topicIds_.push_back(topicId);
  nextPosition_ = 0;
}

bool IndexBuilder::addWord(std::string_view word) {
  if (topicIds_.empty() || word.empty()) return false;
  const uint32_t position = nextPosition_++;
  std::string lower = indexForm(word);
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
  IndexHead head{name_, indexerNumber_, language_, attributes_, created_, updated_, {}};
  head.excluded.assign(excluded_.begin(), excluded_.end());
  std::sort(head.excluded.begin(), head.excluded.end());

  MemorySink out, dictionary;
  IndexWriter writer(out, dictionary);
  writer.begin(head);
  for (const std::string* term : terms) {
    ByteWriter postings;
    encodeHits(postings_.at(*term), postings);
    writer.addTerm(*term, postings.bytes().data(), postings.size());
  }
  writer.finish(topicIds_, occurrences_, {}, buildLemmaSection(language_, joins_));
  return std::move(out.bytes());
}

}  // namespace tarvek::sbi
