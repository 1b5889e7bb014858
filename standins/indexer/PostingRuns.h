#pragma once
// Indexing in bounded memory. Postings collect in a PostingsBuffer until it
// holds its share of the memory limit; then they are written, sorted by
// word, as a run file. At the end every run (and, for an update, the old
// index) is merged word by word into the new index. The merged postings do
// not depend on where the runs were cut, so the index is the same whatever
// the limit.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "standins/engine/ByteIo.h"
#include "standins/engine/SbiReader.h"

namespace tarvek::indexer {

// One word's postings as a stream hands them out: the index's encoding,
// with the first and last ordinal beside it for the merge.
struct TermPostings {
  std::string term;
  uint32_t pages = 0, firstOrdinal = 0, lastOrdinal = 0;
  std::vector<uint8_t> bytes;  // FORMAT.md "Postings"
};

// Words in ascending order with their postings.
class TermStream {
 public:
  virtual ~TermStream() = default;
  // Moves to the next word; false at the end or on failure (then !ok()).
  virtual bool next() = 0;
  virtual bool ok() const = 0;
  const TermPostings& current() const { return current_; }

 protected:
  TermPostings current_;
};

// Where merged words go: a run file or the index writer.
class TermSink {
 public:
  virtual ~TermSink() = default;
  virtual bool add(const TermPostings& postings) = 0;
};

class PostingsBuffer {
 public:
  // (ordinal, position) of an indexed word, pages in ascending ordinal order.
  void add(const std::string& term, uint32_t ordinal, uint16_t position);
  // Bytes taken, as estimated from the words and hits held.
  uint64_t bytesUsed() const { return bytes_; }
  bool empty() const { return hits_.empty(); }
  // Hands the postings out in word order, then empties the buffer.
  bool drainTo(TermSink& sink);

 private:
  std::unordered_map<std::string, std::vector<uint64_t>> hits_;  // ordinal << 16 | position
  uint64_t bytes_ = 0;
};

// A run file being written: the records of TermPostings one after the other.
class RunWriter final : public TermSink {
 public:
  explicit RunWriter(const std::string& path);
  ~RunWriter() override;
  RunWriter(const RunWriter&) = delete;
  RunWriter& operator=(const RunWriter&) = delete;
  bool add(const TermPostings& postings) override;
  bool close();  // false when any write failed (a full disk)

 private:
  std::FILE* file_;
  bool ok_;
  sbi::ByteWriter record_;
};

class RunReader final : public TermStream {
 public:
  explicit RunReader(const std::string& path);
  ~RunReader() override;
  RunReader(const RunReader&) = delete;
  RunReader& operator=(const RunReader&) = delete;
  bool next() override;
  bool ok() const override { return ok_; }

 private:
  std::FILE* file_;
  std::vector<char> buffer_;
  bool ok_;
};

// The words of an existing index, their pages renumbered by `newOrdinal`
// (old ordinal -> new; kDropped for pages that go), read block by block.
inline constexpr uint32_t kDropped = 0xFFFFFFFFu;
class IndexTermStream final : public TermStream {
 public:
  IndexTermStream(sbi::IndexReader& reader, const std::vector<uint32_t>& newOrdinal)
      : reader_(reader), newOrdinal_(newOrdinal) {}
  bool next() override;
  bool ok() const override { return ok_; }

 private:
  sbi::IndexReader& reader_;
  const std::vector<uint32_t>& newOrdinal_;
  std::vector<sbi::Term> block_;
  uint32_t nextTerm_ = 0;
  bool ok_ = true;
};

// Merges the streams word by word into `sink`. A word in several streams
// gets their pages in ordinal order; a page is in one stream only.
bool mergeStreams(std::vector<TermStream*> streams, TermSink& sink, std::string* problem);

// Encodes hits (ordinal << 16 | position, ascending) as TermPostings.
void postingsOfHits(const std::string& term, const std::vector<uint64_t>& hits, TermPostings* out);

}  // namespace tarvek::indexer
