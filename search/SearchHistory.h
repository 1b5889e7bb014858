#pragma once
// The search history kept in the user's registry: the last eleven queries
// with their operators, newest first, and the NEAR distance last used.

#include <optional>
#include <string>

namespace tarvek {

namespace settings {
class Settings;
}

struct HistoryEntry {
  std::string queryText;
  int operatorPosition = 0;
  bool operator==(const HistoryEntry&) const = default;
};

// What a search writes before it runs; the search dialog reads the rest.
class SearchHistory {
 public:
  virtual ~SearchHistory() = default;
  // Puts the query at the top, dropping an equal older entry and the oldest
  // beyond eleven.
  virtual void add(const std::string& queryText, int operatorPosition) = 0;
  // Stores the distance read from the "NEAR je:" text (1 to 15, else 8).
  virtual void storeNear(const std::string& nearText) = 0;
};

class RegistrySearchHistory final : public SearchHistory {
 public:
  static constexpr int kMaxEntries = 11;
  // Operator position of an entry whose operator value is missing: selects none.
  static constexpr int kMissingOperator = 222;
  static constexpr int kDefaultNear = 8;

  explicit RegistrySearchHistory(settings::Settings& settings) : settings_(settings) {}

  void add(const std::string& queryText, int operatorPosition) override;
  void storeNear(const std::string& nearText) override;
  // Entry n, or none when its text is empty or missing.
  std::optional<HistoryEntry> entry(int position);
  // The stored distance as written, or 8 when absent.
  int nearDistance();

 private:
  settings::Settings& settings_;  // not owned
};

}  // namespace tarvek
