#include "standins/indexer/PostingRuns.h"

#include <algorithm>
#include <numeric>

#include "standins/engine/PostingsCodec.h"

namespace tarvek::indexer {
namespace {

// A word's share of a hash map node, its text and its vector, roughly.
constexpr uint64_t kBytesPerTerm = 96;

bool fail(std::string* problem, std::string what) {
  if (problem->empty()) *problem = std::move(what);
  return false;
}

// Walks the pages of encoded postings (FORMAT.md) without decoding their
// positions: a merge or a renumbering rewrites ordinals and copies the
// positions' bytes as they are.
class PageCursor {
 public:
  PageCursor(const uint8_t* data, size_t size) : at_(data), end_(data + size) { ok_ = varint(&pages_); }
  uint32_t pages() const { return pages_; }
  bool ok() const { return ok_; }
  // Moves to the next page; false at the end or on damage (then !ok()).
  bool next() {
    if (!ok_ || read_ == pages_) return false;
    uint32_t delta = 0;
    if (!varint(&delta) || (read_ > 0 && delta == 0) || !varint(&count_) || count_ == 0) return ok_ = false;
    ordinal_ = read_ == 0 ? delta : ordinal_ + delta;
    positions_ = at_;
    for (uint32_t k = 0; k < count_; ++k) {
      while (at_ < end_ && (*at_ & 0x80)) ++at_;
      if (at_ == end_) return ok_ = false;
      ++at_;
    }
    ++read_;
    return true;
  }
  uint32_t ordinal() const { return ordinal_; }
  uint32_t count() const { return count_; }
  const uint8_t* positions() const { return positions_; }
  size_t positionBytes() const { return static_cast<size_t>(at_ - positions_); }
  bool atEnd() const { return ok_ && read_ == pages_ && at_ == end_; }

 private:
  bool varint(uint32_t* value) {
    *value = 0;
    for (int shift = 0; shift < 35 && at_ < end_; shift += 7) {
      const uint8_t b = *at_++;
      *value |= static_cast<uint32_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  const uint8_t* at_;
  const uint8_t* end_;
  const uint8_t* positions_ = nullptr;
  uint32_t pages_ = 0, read_ = 0, ordinal_ = 0, count_ = 0;
  bool ok_;
};

// Builds postings page by page from pages already encoded elsewhere.
class PageWriter {
 public:
  void add(uint32_t ordinal, uint32_t count, const uint8_t* positions, size_t size) {
    if (pages_ == 0) first_ = ordinal;
    body_.varint(pages_ == 0 ? ordinal : ordinal - last_);
    body_.varint(count);
    body_.raw(std::string_view(reinterpret_cast<const char*>(positions), size));
    last_ = ordinal;
    ++pages_;
  }
  uint32_t pages() const { return pages_; }
  // Starts anew, keeping the memory already taken.
  void reset() {
    body_.bytes().clear();
    pages_ = first_ = last_ = 0;
  }
  void finish(const std::string& term, TermPostings* out) {
    uint8_t count[5];
    size_t n = 0;
    for (uint32_t v = pages_; ; v >>= 7) {
      count[n++] = static_cast<uint8_t>(v >= 0x80 ? (v & 0x7F) | 0x80 : v);
      if (v < 0x80) break;
    }
    out->bytes.assign(count, count + n);
    out->bytes.insert(out->bytes.end(), body_.bytes().begin(), body_.bytes().end());
    out->term = term;
    out->pages = pages_;
    out->firstOrdinal = first_;
    out->lastOrdinal = last_;
  }

 private:
  sbi::ByteWriter body_;
  uint32_t pages_ = 0, first_ = 0, last_ = 0;
};

// Reads a varint from `in`; false at the end or on a bad one.
bool readVarint(std::FILE* in, uint32_t* value) {
  *value = 0;
  for (int shift = 0; shift < 35; shift += 7) {
    const int c = std::getc(in);
    if (c == EOF) return false;
    *value |= static_cast<uint32_t>(c & 0x7F) << shift;
    if (!(c & 0x80)) return true;
  }
  return false;
}

// The pages of several streams' postings of one word, merged by ordinal:
// each stream's pages ascend, so the smallest next page is taken each time.
void mergeByOrdinal(const std::vector<const TermPostings*>& group, TermPostings* out) {
  std::vector<PageCursor> cursors;
  std::vector<bool> live;
  for (const auto* part : group) {
    cursors.emplace_back(part->bytes.data(), part->bytes.size());
    live.push_back(cursors.back().next());
  }
  static thread_local PageWriter merged;
  merged.reset();
  for (;;) {
    size_t best = group.size();
    for (size_t i = 0; i < group.size(); ++i)
      if (live[i] && (best == group.size() || cursors[i].ordinal() < cursors[best].ordinal())) best = i;
    if (best == group.size()) break;
    const PageCursor& page = cursors[best];
    merged.add(page.ordinal(), page.count(), page.positions(), page.positionBytes());
    live[best] = cursors[best].next();
  }
  merged.finish(group.front()->term, out);
}

// The same when each stream's pages come after the previous stream's, as
// the runs of one build do: the encoded pages are joined, only the page
// count and the first ordinal of each later part being written anew.
void concatenate(const std::vector<const TermPostings*>& group, TermPostings* out) {
  sbi::ByteWriter bytes;
  uint32_t pages = 0;
  for (const auto* part : group) pages += part->pages;
  bytes.varint(pages);
  for (size_t i = 0; i < group.size(); ++i) {
    const auto& part = *group[i];
    sbi::ByteReader in(part.bytes.data(), part.bytes.size());
    in.varint();  // page count
    if (i > 0) {
      in.varint();  // the first ordinal, absolute in its part
      bytes.varint(part.firstOrdinal - group[i - 1]->lastOrdinal);
    }
    const size_t from = in.position();
    bytes.raw(std::string_view(reinterpret_cast<const char*>(part.bytes.data()) + from, part.bytes.size() - from));
  }
  out->term = group.front()->term;
  out->pages = pages;
  out->firstOrdinal = group.front()->firstOrdinal;
  out->lastOrdinal = group.back()->lastOrdinal;
  out->bytes = std::move(bytes.bytes());
}

}  // namespace

void postingsOfHits(const std::string& term, const std::vector<uint64_t>& hits, TermPostings* out) {
  sbi::ByteWriter bytes;
  sbi::encodeHits(hits, bytes);
  out->term = term;
  out->firstOrdinal = static_cast<uint32_t>(hits.front() >> 16);
  out->lastOrdinal = static_cast<uint32_t>(hits.back() >> 16);
  sbi::ByteReader in(bytes.bytes().data(), bytes.size());
  out->pages = in.varint();
  out->bytes = std::move(bytes.bytes());
}

void PostingsBuffer::add(const std::string& term, uint32_t ordinal, uint16_t position) {
  auto [it, inserted] = hits_.try_emplace(term);
  if (inserted) bytes_ += kBytesPerTerm + term.size();
  auto& hits = it->second;
  const size_t capacity = hits.capacity();
  hits.push_back((uint64_t{ordinal} << 16) | position);
  if (hits.capacity() != capacity) bytes_ += (hits.capacity() - capacity) * sizeof(uint64_t);
}

bool PostingsBuffer::drainTo(TermSink& sink) {
  std::vector<std::pair<const std::string*, std::vector<uint64_t>*>> terms;
  terms.reserve(hits_.size());
  for (auto& [term, hits] : hits_) terms.emplace_back(&term, &hits);
  std::sort(terms.begin(), terms.end(), [](const auto& a, const auto& b) { return *a.first < *b.first; });
  TermPostings postings;
  bool ok = true;
  for (auto& [term, hits] : terms) {
    postingsOfHits(*term, *hits, &postings);
    std::vector<uint64_t>().swap(*hits);  // freed as it goes: the run costs no extra memory
    if (ok) ok = sink.add(postings);
  }
  hits_ = {};
  bytes_ = 0;
  return ok;
}

RunWriter::RunWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")), ok_(file_ != nullptr) {
  if (file_) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
}

RunWriter::~RunWriter() {
  if (file_) std::fclose(file_);
}

bool RunWriter::add(const TermPostings& postings) {
  if (!ok_) return false;
  record_ = sbi::ByteWriter();
  record_.shortText(postings.term);
  record_.varint(postings.pages);
  record_.varint(postings.firstOrdinal);
  record_.varint(postings.lastOrdinal);
  record_.varint(static_cast<uint32_t>(postings.bytes.size()));
  ok_ = std::fwrite(record_.bytes().data(), 1, record_.size(), file_) == record_.size() &&
        std::fwrite(postings.bytes.data(), 1, postings.bytes.size(), file_) == postings.bytes.size();
  return ok_;
}

bool RunWriter::close() {
  if (!file_) return false;
  ok_ = std::fflush(file_) == 0 && !std::ferror(file_) && ok_;
  ok_ = std::fclose(file_) == 0 && ok_;
  file_ = nullptr;
  return ok_;
}

RunReader::RunReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")), buffer_(1 << 16), ok_(file_) {
  if (file_) std::setvbuf(file_, buffer_.data(), _IOFBF, buffer_.size());
}

RunReader::~RunReader() {
  if (file_) std::fclose(file_);
}

bool RunReader::next() {
  if (!ok_) return false;
  const int length = std::getc(file_);
  if (length == EOF) {
    ok_ = !std::ferror(file_);
    return false;
  }
  current_.term.resize(static_cast<size_t>(length));
  uint32_t size = 0;
  ok_ = length > 0 && std::fread(current_.term.data(), 1, current_.term.size(), file_) == current_.term.size() &&
        readVarint(file_, &current_.pages) && readVarint(file_, &current_.firstOrdinal) &&
        readVarint(file_, &current_.lastOrdinal) && readVarint(file_, &size);
  if (!ok_) return false;
  current_.bytes.resize(size);
  ok_ = std::fread(current_.bytes.data(), 1, size, file_) == size;
  return ok_;
}

bool IndexTermStream::next() {
  const uint32_t count = reader_.termCount();
  const uint32_t topics = reader_.data().topicCount;
  static thread_local std::vector<uint8_t> bytes;
  static thread_local PageWriter kept;
  while (ok_ && nextTerm_ < count) {
    const uint32_t number = nextTerm_ / sbi::kTermsPerBlock;
    if (nextTerm_ % sbi::kTermsPerBlock == 0 && !(ok_ = reader_.readBlock(number, &block_))) return false;
    const sbi::Term& term = block_[nextTerm_++ % sbi::kTermsPerBlock];
    if (!(ok_ = reader_.postingBytes(term, &bytes))) return false;
    PageCursor page(bytes.data(), bytes.size());
    kept.reset();
    uint32_t last = 0;
    while (page.next()) {
      if (page.ordinal() >= topics) return ok_ = false;
      const uint32_t ordinal = newOrdinal_[page.ordinal()];
      if (ordinal == kDropped) continue;
      // Pages keep their order when renumbered; anything else is a fault.
      if (kept.pages() > 0 && ordinal <= last) return ok_ = false;
      kept.add(ordinal, page.count(), page.positions(), page.positionBytes());
      last = ordinal;
    }
    if (!(ok_ = page.atEnd())) return false;
    if (kept.pages() == 0) continue;
    kept.finish(term.text, &current_);
    return true;
  }
  return false;
}

bool mergeStreams(std::vector<TermStream*> streams, TermSink& sink, std::string* problem) {
  std::vector<TermStream*> live;
  for (TermStream* stream : streams) {
    if (stream->next()) {
      live.push_back(stream);
    } else if (!stream->ok()) {
      return fail(problem, "cannot read back the postings written while indexing");
    }
  }
  std::vector<const TermPostings*> group;
  TermPostings merged;
  while (!live.empty()) {
    const std::string* smallest = &live.front()->current().term;
    for (const TermStream* stream : live)
      if (stream->current().term < *smallest) smallest = &stream->current().term;
    group.clear();
    for (const TermStream* stream : live)
      if (stream->current().term == *smallest) group.push_back(&stream->current());
    bool inOrder = true;
    for (size_t i = 1; i < group.size(); ++i) inOrder &= group[i]->firstOrdinal > group[i - 1]->lastOrdinal;
    if (group.size() == 1) {
      if (!sink.add(*group.front())) return fail(problem, "cannot write the index");
    } else {
      inOrder ? concatenate(group, &merged) : mergeByOrdinal(group, &merged);
      if (!sink.add(merged)) return fail(problem, "cannot write the index");
    }
    const std::string term = *smallest;
    std::vector<TermStream*> still;
    for (TermStream* stream : live) {
      if (stream->current().term != term || stream->next()) {
        still.push_back(stream);
      } else if (!stream->ok()) {
        return fail(problem, "cannot read back the postings written while indexing");
      }
    }
    live = std::move(still);
  }
  return true;
}

}  // namespace tarvek::indexer
