#pragma once
// Opens the test index through the exported functions and runs queries the
// way the plug-in does.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "search/EngineApi.h"
#include "standins/engine/tests/TestIndex.h"

extern "C" {
uint32_t TARVEK_STDCALL IndexOpen(const char*, uint32_t*, uint16_t*);
uint32_t TARVEK_STDCALL IndexQuery(uint32_t, const char*, uint32_t, uint32_t, uint32_t, uint32_t, uint16_t*);
uint16_t TARVEK_STDCALL TListGetNumOfTopics(uint32_t, uint32_t*);
uint16_t TARVEK_STDCALL TListGetTopic(uint32_t, uint32_t, uint32_t, uint32_t*, uint32_t*);
uint16_t TARVEK_STDCALL TListGetTopicOcc(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t*, uint32_t,
                                         uint32_t);
uint16_t TARVEK_STDCALL IndexClose(uint32_t);
uint32_t TARVEK_STDCALL IndexEnumKeys(uint32_t, uint32_t, uint32_t, tarvek::engine_api::KeyCallback, uint32_t);
uint16_t TARVEK_STDCALL IndexGetInfo(uint32_t, uint32_t, uint32_t*, char*);
uint32_t TARVEK_STDCALL IndexGetVerOfApi();
uint16_t TARVEK_STDCALL IndexGetLingModules(uint32_t, uint32_t);
}

namespace tarvek::sbi::test {

// The outcome of one query: the engine's code, and on success the topic ids
// with their occurrence values.
struct QueryOutcome {
  uint16_t error = 0;
  std::vector<uint32_t> ids;
  std::vector<std::vector<uint32_t>> occurrences;
};

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
