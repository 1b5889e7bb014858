#pragma once
// Builds the bytes of an .sbi index: pages are added one by one with their
// words in reading order; excluded words take a position but are not indexed.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tarvek::sbi {

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
  std::vector<uint32_t> topicIds_;
  uint32_t nextPosition_ = 0;
  uint64_t occurrences_ = 0, dropped_ = 0;
  // Per term: (page ordinal << 16 | position), in the order added.
  std::unordered_map<std::string, std::vector<uint64_t>> postings_;
};

}  // namespace tarvek::sbi
