#pragma once
// Status codes of the stand-in engine. 0 is success; 43 is the one code the
// plug-in interprets. Every code is listed in FORMAT.md.

#include <cstdint>

namespace tarvek::sbi {

enum EngineError : uint16_t {
  kOk = 0,
  kBadHandle = 1,             // not a live index or topic-list handle
  kBadArgument = 2,           // a null pointer or a value outside its range
  kCannotOpenFile = 3,        // the index file cannot be opened or read
  kNotAnIndex = 4,            // the file does not start with the .sbi magic
  kUnsupportedVersion = 5,    // an .sbi format version this engine does not read
  kDamagedIndex = 6,          // truncated, inconsistent, or failing its checksum
  kOutOfResources = 7,        // no free handle, or memory ran out
  kTopicOutOfRange = 8,       // topic number not below the topic count
  kOccurrenceOutOfRange = 9,  // occurrence range beyond the topic's occurrences
  kUnknownProperty = 10,      // IndexGetInfo property we do not answer
  kUnknownKeyKind = 11,       // IndexEnumKeys kind other than 16
  kEmptyQuery = 12,           // the query holds no word at all
  kQueryTooLong = 13,         // more than kMaxQueryLength bytes
  kQuerySyntax = 14,          // "Operátory" text that does not parse
  kUnknownMode = 15,          // operator mode bits 0x60
  kInternalError = 16,        // an unexpected failure inside the engine
  kOldFormatVersion = 17,     // an index of an earlier .sbi format version: to be rebuilt
  kDamagedLingData = 18,      // the language's linguistic data is damaged: its modules are dropped
  kOnlyExcludedWords = 43,    // every query word is an excluded word
};

// Longest query text accepted, in bytes (a 256-byte buffer with its terminator).
inline constexpr size_t kMaxQueryLength = 255;

}  // namespace tarvek::sbi
