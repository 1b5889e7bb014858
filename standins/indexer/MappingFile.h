#pragma once
// The version-2 mapping file (.sbf) that goes beside each index: which PDF
// file and page every topic id stands for. The indexer writes it; the query
// tool reads it back. Integers little-endian; texts are counted strings (a
// signed 16-bit byte count, then the bytes); lists hold at most 32767 items.

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarvek::indexer {

inline constexpr char kMappingMagic[] = "SBF ver. 2";
inline constexpr uint16_t kMappingVersion = 2;
inline constexpr size_t kMaxListItems = 32767;
inline constexpr size_t kMaxTextBytes = 32767;

struct MappedPdf {
  std::string pdfPath;  // as stored: may start with a path variable
  std::string auxText;
  std::string pdfTitle;
  uint32_t entryFlag = 0;
  uint32_t fileSize = 0;
  std::vector<uint32_t> pageTopics;  // one topic id per page, first page first
};

struct Mapping {
  uint32_t nextNumber = 1;
  std::vector<uint16_t> numberList;
  std::vector<std::string> folders;  // each ends with a backslash
  std::vector<MappedPdf> pdfs;
};

// The file's bytes, or none with *problem set when a list or a text is
// longer than the format holds.
std::optional<std::vector<uint8_t>> encodeMapping(const Mapping& mapping, std::string* problem);

// Parses a version 1 or 2 file; none when it is truncated or damaged.
std::optional<Mapping> decodeMapping(const std::vector<uint8_t>& bytes);

// Where a topic id is: the stored path of its file and the page, from 0.
struct TopicPlace {
  std::string pdfPath;
  size_t page = 0;
};

// The places of the `wanted` topic ids, reading the mapping file entry by
// entry and stopping once every one is found: a query with few hits reads
// little of a large mapping, and undecoded entries are only skipped. Ids not
// listed are missing from the answer; none when the file is damaged before
// they were all found.
std::optional<std::unordered_map<uint32_t, TopicPlace>> findTopics(std::istream& in,
                                                                   const std::vector<uint32_t>& wanted);

// Topic id -> (pdf, page), the first listing of an id winning.
std::unordered_map<uint32_t, std::pair<size_t, size_t>> topicIndex(const Mapping& mapping);

}  // namespace tarvek::indexer
