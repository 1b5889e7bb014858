#pragma once
// Writes .sbi indexes. IndexWriter streams one out: the words arrive in
// ascending order with their postings, and only the dictionary's block index
// stays in memory. IndexBuilder collects pages in memory and writes them
// through IndexWriter (tests, small indexes).

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "standins/engine/ByteIo.h"
#include "standins/engine/ByteSink.h"

namespace tarvek::sbi {

struct IndexHead {
  std::string name, indexerNumber;  // cut to 255 bytes
  uint16_t language = 0;
  uint32_t attributes = 0, created = 0, updated = 0;
  std::vector<std::string> excluded;  // lower case, ascending, no repeats
};

class IndexWriter {
 public:
  // `out` receives the index; `dictionary` holds the dictionary blocks until
  // the postings are complete (they follow the postings in the file).
  IndexWriter(ByteSink& out, ByteSink& dictionary) : out_(out), dictionary_(dictionary) {}

  bool begin(const IndexHead& head);
  // The next word, above the one before, and its encoded postings.
  bool addTerm(std::string_view text, const uint8_t* postings, size_t size);
  // Topic ids in ordinal order; `sources` is the indexer's source-file table
  // and `lemmas` the lemma section (LemmaSection.h), each empty when there is
  // none. False when a write failed.
  bool finish(const std::vector<uint32_t>& topicIds, uint64_t occurrences, const std::vector<uint8_t>& sources,
              const std::vector<uint8_t>& lemmas = {});

 private:
  void closeBlock();

  ByteSink& out_;
  ByteSink& dictionary_;
  std::vector<uint8_t> head_;  // header and head, patched and checksummed at the end
  uint64_t postingsSize_ = 0;
  uint32_t termCount_ = 0;
  std::string lastTerm_;
  ByteWriter block_;
  uint32_t termsInBlock_ = 0;
  std::vector<std::pair<uint32_t, uint32_t>> blocks_;  // offset within the dictionary, size
  bool ok_ = true;
};

class IndexBuilder {
 public:
  void setName(std::string name) { name_ = std::move(name); }
  void setIndexerNumber(std::string number) { indexerNumber_ = std::move(number); }
  void setLanguage(uint16_t language) { language_ = language; }
  void setAttributes(uint32_t attributes) { attributes_ = attributes; }
  void setDates(uint32_t created, uint32_t updated) {
    created_ = created;
    updated_ = updated;
  }
  // Words in any case; kept in lower case.
  void setExcludedWords(const std::vector<std::string>& words);

  // Starts a page with this topic id; its words follow through addWord.
  void beginPage(uint32_t topicId);
  // Adds the next word of the current page. Returns false when the word was
  // not indexed: an excluded word, or a position past the 16-bit range.
  bool addWord(std::string_view word);
  // The lemma section's joins (lemma -> index words), lower case.
  void setLemmaJoins(std::map<std::string, std::set<std::string>> joins) { joins_ = std::move(joins); }
  // Splits CP1250 text into words and adds them; returns how many were indexed.
  size_t addText(std::string_view text);

  size_t pageCount() const { return topicIds_.size(); }
  uint64_t indexedWordCount() const { return occurrences_; }
  uint64_t droppedWordCount() const { return dropped_; }

  std::vector<uint8_t> build() const;

 private:
  std::string name_, indexerNumber_;
  uint16_t language_ = 0;
  uint32_t attributes_ = 0, created_ = 0, updated_ = 0;
  std::unordered_set<std::string> excluded_;
  std::map<std::string, std::set<std::string>> joins_;
  std::vector<uint32_t> topicIds_;
  uint32_t nextPosition_ = 0;
  uint64_t occurrences_ = 0, dropped_ = 0;
  // Per term: (page ordinal << 16 | position), in the order added.
  std::unordered_map<std::string, std::vector<uint64_t>> postings_;
};

// Lower case, cut to what a short text holds: the form words are indexed in.
std::string indexForm(std::string_view word);

}  // namespace tarvek::sbi
