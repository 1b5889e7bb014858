#include "resources/TextTable.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeServices.h"

namespace tarvek {
namespace {

TEST(TextTable, TextsAreServedInCodePage1250) {
  testing::FakeModule module;
  EXPECT_EQ(module.text(kTextWarningTitle), "Varovanie");
  EXPECT_EQ(module.text(kTextErrorTitle), "Chyba");
  EXPECT_EQ(module.text(static_cast<TextId>(999999)), "");
}

TEST(TextTable, EveryTextIsValidUtf8WithinCodePage1250) {
  int count = 0;
#define TARVEK_TEXT(textName, textId, utf8)                                            \
  ++count;                                                                             \
  EXPECT_EQ(testing::FakeCodePage().toUtf8(testing::FakeModule().text(textName)), utf8) \
      << #textName " has characters code page 1250 lacks";
#include "resources/texts.def"
#undef TARVEK_TEXT
  EXPECT_GT(count, 0);
}

}  // namespace
}  // namespace tarvek
