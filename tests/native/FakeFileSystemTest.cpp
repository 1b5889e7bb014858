// The fakes stand in for Windows in every native test, so they must agree
// with it where tests depend on them.
#include "tests/fakes/FakeFileSystem.h"

#include <gtest/gtest.h>

#include "tests/fakes/FakeServices.h"

namespace tarvek::testing {
namespace {

TEST(FakeFileSystem, PathsIgnoreCaseAndKeepTheirFirstSpelling) {
  FakeFileSystem fs;
  fs.addFile("D:\\Idx\\A.PDF", "x");
  EXPECT_TRUE(fs.exists("d:\\idx\\a.pdf"));
  EXPECT_TRUE(fs.exists("D:\\IDX\\"));
  EXPECT_TRUE(fs.exists("D:"));
  EXPECT_EQ(fs.findNames("d:\\idx\\*.pdf"), std::vector<std::string>{"A.PDF"});
  EXPECT_TRUE(fs.findNames("d:\\missing\\*.pdf").empty());
}

TEST(FakeFileSystem, WildcardsFollowFindFirstFile) {
  EXPECT_TRUE(wildcardMatch("*.pdf", "Book.PDF"));
  EXPECT_TRUE(wildcardMatch("a?c*", "abcdef"));
  EXPECT_FALSE(wildcardMatch("*.pdf", "book.pdf.bak"));
  EXPECT_TRUE(wildcardMatch("*", ""));
  EXPECT_FALSE(wildcardMatch("?", ""));
}

TEST(FakeFileSystem, FailuresCanBeInjected) {
  FakeFileSystem fs;
  fs.addFolder("C:\\ro");
  fs.denyWritesUnder("C:\\RO");
  EXPECT_EQ(fs.writeFile("c:\\ro\\x", "1"), WriteResult::cannotCreate);
  EXPECT_EQ(fs.writeFile("c:\\nofolder\\x", "1"), WriteResult::cannotCreate);
  fs.setDiskSpace(3);
  EXPECT_EQ(fs.writeFile("c:\\full", "12345"), WriteResult::incomplete);
  EXPECT_EQ(fs.content("c:\\full"), "123");
  fs.addFile("c:\\secret", "s");
  fs.denyRead("C:\\SECRET");
  std::string data;
  EXPECT_FALSE(fs.readFile("c:\\secret", &data, 100));
}

TEST(FakeLocalTime, ConvertsFileTimesWithTheOffset) {
  FakeLocalTime clock;
  SystemTime t;
  ASSERT_TRUE(clock.fileTimeToLocal(fileTimeOf(2001, 12, 31, 23, 30, 5), &t));
  EXPECT_EQ(t, (SystemTime{2002, 1, 2, 1, 0, 30, 5, 0}));  // a Tuesday, one hour later
  EXPECT_FALSE(clock.fileTimeToLocal(~uint64_t{0}, &t));
}

}  // namespace
}  // namespace tarvek::testing
