#include "search/SearchHistory.h"

#include <gtest/gtest.h>

#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "tests/fakes/FakeRegistry.h"

namespace tarvek {
namespace {

class SearchHistoryTest : public ::testing::Test {
 protected:
  std::vector<HistoryEntry> all() {
    std::vector<HistoryEntry> entries;
    for (int n = 0; auto e = history.entry(n); ++n) entries.push_back(*e);
    return entries;
  }
  testing::FakeRegistry registry;
  settings::Settings settings{registry};
  RegistrySearchHistory history{settings};
};

TEST_F(SearchHistoryTest, RepeatedQueryMovesToTheTopOnce) {
  history.add("a", 0);
  history.add("b", 0);
  history.add("a", 0);
  EXPECT_EQ(all(), (std::vector<HistoryEntry>{{"a", 0}, {"b", 0}}));
  history.add("a", 1);  // another operator is another entry
  EXPECT_EQ(all(), (std::vector<HistoryEntry>{{"a", 1}, {"a", 0}, {"b", 0}}));
  history.add("a", 1);  // re-running the newest changes nothing
  EXPECT_EQ(all(), (std::vector<HistoryEntry>{{"a", 1}, {"a", 0}, {"b", 0}}));
}

TEST_F(SearchHistoryTest, KeepsTheNewestEleven) {
  for (int i = 0; i < 12; ++i) history.add("q" + std::to_string(i), i % 6);
  const auto entries = all();
  ASSERT_EQ(entries.size(), 11u);
  EXPECT_EQ(entries.front(), (HistoryEntry{"q11", 5}));
  EXPECT_EQ(entries.back(), (HistoryEntry{"q1", 1}));
  EXPECT_EQ(registry.find(Hive::currentUser, settings::kSearchHistoryKey, "SearchEdit11"), nullptr);
}

TEST_F(SearchHistoryTest, EmptyQueryIsNotRemembered) {
  history.add("", 0);
  EXPECT_TRUE(all().empty());
}

TEST_F(SearchHistoryTest, MissingOperatorSelectsNone) {
  registry.writeString(Hive::currentUser, settings::kSearchHistoryKey, "SearchEdit0", "x");
  EXPECT_EQ(history.entry(0), (HistoryEntry{"x", RegistrySearchHistory::kMissingOperator}));
}

TEST_F(SearchHistoryTest, NearIsStoredByTheFieldRule) {
  EXPECT_EQ(history.nearDistance(), 8);
  history.storeNear("12");
  EXPECT_EQ(history.nearDistance(), 12);
  history.storeNear("0");
  EXPECT_EQ(history.nearDistance(), 8);
  // Read back as written, without a range check.
  registry.writeNumber(Hive::currentUser, settings::kSearchHistoryKey, "Near", 40);
  EXPECT_EQ(history.nearDistance(), 40);
}

TEST_F(SearchHistoryTest, InaccessibleKeyReadsAndWritesNothing) {
  registry.denyAccess(Hive::currentUser, settings::kSearchHistoryKey);
  history.add("a", 0);
  history.storeNear("3");
  EXPECT_FALSE(history.entry(0).has_value());
  EXPECT_EQ(history.nearDistance(), 8);
  EXPECT_EQ(registry.writeCount(), 0);
}

}  // namespace
}  // namespace tarvek
