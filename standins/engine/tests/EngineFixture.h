#pragma once
// Opens the test index through the exported functions and runs queries the
// way the plug-in does.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineApi.h"
#include "standins/engine/EngineExports.h"
#include "standins/engine/tests/TestIndex.h"

namespace tarvek::sbi::test {

// The outcome of one query: the engine's code, and on success the topic ids
// with their occurrence values.
struct QueryOutcome {
  uint16_t error = 0;
  std::vector<uint32_t> ids;
  std::vector<std::vector<uint32_t>> occurrences;
};

// The Slovak linguistic data of the tests: a few lemmas and thesaurus words
// over the words of the test index.
std::vector<uint8_t> buildTestLingData();

class EngineFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // `utf8` is converted to code page 1250 first; 0x0100 is added to flags as the plug-in does.
  QueryOutcome query(const char* utf8, uint32_t flags);
  std::vector<uint32_t> ids(const char* utf8, uint32_t flags) { return query(utf8, flags).ids; }

  ScratchFolder folder_;
  std::string indexPath_;
  uint32_t index_ = 0;
};

}  // namespace tarvek::sbi::test
