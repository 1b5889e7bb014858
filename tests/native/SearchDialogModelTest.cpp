#include "ui/SearchDialogModel.h"

#include <gtest/gtest.h>

#include "search/SearchFlags.h"
#include "search/SearchHistory.h"
#include "settings/RegistryLayout.h"
#include "settings/Settings.h"
#include "tests/fakes/FakeRegistry.h"
#include "tests/native/ScriptedEngine.h"

namespace tarvek::ui {
namespace {

using Names = std::vector<std::string>;

class SearchDialogModelTest : public ::testing::Test {
 protected:
  void store(int n, const std::string& text, std::optional<uint32_t> op) {
    registry.writeString(Hive::currentUser, settings::kSearchHistoryKey, settings::searchEditValueName(n), text);
    const std::string name = settings::operatorValueName(n);
    if (op) registry.writeNumber(Hive::currentUser, settings::kSearchHistoryKey, name, *op);
    else registry.deleteValue(Hive::currentUser, settings::kSearchHistoryKey, name);
  }
  void storeNear(uint32_t value) {
    registry.writeNumber(Hive::currentUser, settings::kSearchHistoryKey, settings::kNearValue, value);
  }
  Names selected() const {
    Names names;
    for (const IndexListItem& item : model.indexes())
      if (item.selected) names.push_back(item.name);
    return names;
  }

  testing::FakeRegistry registry;
  settings::Settings settings{registry};
  RegistrySearchHistory history{settings};
  testing::ScriptedEngine engine;
  SearchDialogModel model{history, &engine};
};

TEST_F(SearchDialogModelTest, FirstOpeningEver) {
  model.open({"Právo", "Zdravie"}, {}, false);
  const SearchDialogValues& v = model.values();
  EXPECT_EQ(v.queryText, "");
  EXPECT_EQ(v.operatorPosition, kOperatorAnd);
  EXPECT_EQ(v.nearText, "8");
  EXPECT_EQ(v.languagePosition, 0);
  EXPECT_EQ(v.scope, SearchScope::selectedIndexes);
  EXPECT_EQ(selected(), (Names{"Právo", "Zdravie"}));
  const SearchDialogEnables& e = model.enables();
  EXPECT_FALSE(e.history);
  EXPECT_FALSE(e.previousResult);
  EXPECT_FALSE(e.search);
  EXPECT_FALSE(e.nearDistance);
  EXPECT_TRUE(e.allNone);
  EXPECT_TRUE(e.lemmatization && e.synonyms);

  model.queryChanged("zákon");
  EXPECT_TRUE(model.enables().search);
  // Opening reads the history but writes nothing.
  EXPECT_EQ(registry.find(Hive::currentUser, settings::kSearchHistoryKey, "SearchEdit0"), nullptr);
}

TEST_F(SearchDialogModelTest, OpensWithTheNewestEntryAndTheStoredDistance) {
  store(0, "dom", kOperatorNear);
  store(1, "strom", kOperatorOr);
  storeNear(3);
  model.open({"A"}, {}, true);
  EXPECT_EQ(model.values().queryText, "dom");
  EXPECT_EQ(model.values().operatorPosition, kOperatorNear);
  EXPECT_EQ(model.values().nearText, "3");
  EXPECT_TRUE(model.enables().history);
  EXPECT_TRUE(model.enables().nearDistance);
  EXPECT_TRUE(model.enables().previousResult);
  EXPECT_TRUE(model.enables().search);
}

TEST_F(SearchDialogModelTest, DamagedHistoryValuesOpenSafely) {
  // An operator outside the list selects none and disables the distance; a
  // distance outside 1..15 is shown as read and sent as 8.
  store(0, "dom", 7);
  storeNear(99);
  model.open({"A"}, {}, false);
  EXPECT_EQ(model.values().operatorPosition, 7);
  EXPECT_FALSE(model.enables().nearDistance);
  EXPECT_EQ(model.values().nearText, "99");
  EXPECT_TRUE(model.enables().search);
  EXPECT_EQ(baseSearchFlags(model.request().operatorPosition, model.request().nearText, false, false), 0);

  // A missing operator value reads as 222: none selected either.
  store(0, "dom", std::nullopt);
  model.open({"A"}, {}, false);
  EXPECT_EQ(model.values().operatorPosition, RegistrySearchHistory::kMissingOperator);
}

TEST_F(SearchDialogModelTest, UnreadableHistoryKeyOpensEmpty) {
  store(0, "dom", kOperatorNot);
  storeNear(3);
  registry.denyAccess(Hive::currentUser, settings::kSearchHistoryKey);
  model.open({"A"}, {}, false);
  EXPECT_EQ(model.values().queryText, "");
  EXPECT_EQ(model.values().operatorPosition, kOperatorAnd);
  EXPECT_EQ(model.values().nearText, "8");
  EXPECT_FALSE(model.enables().history);
  EXPECT_TRUE(model.historyMenuTexts().empty());
}

TEST_F(SearchDialogModelTest, StoredTextBeyondTheReadBufferCountsAsMissing) {
  // 300 characters cannot come back whole through the 260-byte buffer: the
  // entry is treated as absent, so the history ends before it.
  store(0, std::string(300, 'x'), kOperatorOr);
  store(1, "dom", kOperatorOr);
  model.open({"A"}, {}, false);
  EXPECT_EQ(model.values().queryText, "");
  EXPECT_EQ(model.values().operatorPosition, kOperatorAnd);
  EXPECT_FALSE(model.enables().history);
  EXPECT_TRUE(model.historyMenuTexts().empty());

  // 259 characters fit the buffer but not the 256-character field.
  store(0, std::string(259, 'y'), kOperatorOr);
  model.open({"A"}, {}, false);
  EXPECT_EQ(model.values().queryText, std::string(256, 'y'));
  model.queryChanged(std::string(300, 'z'));
  EXPECT_EQ(model.values().queryText.size(), kMaxQueryChars);
}

TEST_F(SearchDialogModelTest, HistoryMenuShortensLongTexts) {
  store(0, std::string(31, 'a'), 0);
  store(1, std::string(30, 'b'), 0);
  store(2, "krátky", 0);
  store(4, "za medzerou", 0);  // a gap ends the history
  EXPECT_EQ(model.historyMenuTexts(), (Names{std::string(27, 'a') + "...", std::string(30, 'b'), "krátky"}));
}

TEST_F(SearchDialogModelTest, LoadingAnEntryTakesItsOperatorAndReevaluates) {
  store(0, "dom", kOperatorOperators);
  store(1, "strom", std::nullopt);
  storeNear(5);
  model.open({"A"}, {}, false);
  model.selectAll(false);
  model.queryChanged("");
  storeNear(12);
  model.loadHistoryEntry(1);
  EXPECT_EQ(model.values().queryText, "strom");
  EXPECT_EQ(model.values().operatorPosition, RegistrySearchHistory::kMissingOperator);
  EXPECT_EQ(model.values().nearText, "12");
  EXPECT_FALSE(model.enables().nearDistance);
  EXPECT_FALSE(model.enables().search);  // no index selected
  model.selectAll(true);
  model.loadHistoryEntry(0);
  EXPECT_EQ(model.values().operatorPosition, kOperatorOperators);
  EXPECT_TRUE(model.enables().nearDistance);
  EXPECT_TRUE(model.enables().search);
  model.loadHistoryEntry(5);  // gone meanwhile: nothing changes
  EXPECT_EQ(model.values().queryText, "dom");
}

TEST_F(SearchDialogModelTest, RemembersTheSelectionByName) {
  model.open({"A", "B", "C"}, {"B", "Zmazaný"}, false);
  EXPECT_EQ(selected(), (Names{"B"}));
  // None of the remembered names remains: all are selected.
  model.open({"A", "C"}, {"B"}, false);
  EXPECT_EQ(selected(), (Names{"A", "C"}));
  // A name listed twice selects both lines, is remembered once, and each
  // line searches the entry it stands for.
  model.open({"A", "B", "B"}, {"B"}, false, {2, 0, 1});
  EXPECT_EQ(selected(), (Names{"B", "B"}));
  EXPECT_EQ(model.request().selectedIndexNames, (Names{"B"}));
  EXPECT_EQ(model.request().selectedEntries, (std::vector<int>{0, 1}));
}

TEST_F(SearchDialogModelTest, ReloadAfterTheIndexManagerRestoresWithoutSelectingAll) {
  model.open({"A", "B"}, {}, false);
  model.queryChanged("dom");
  model.indexesReloaded({"C", "D"}, {"B"});
  EXPECT_TRUE(selected().empty());
  EXPECT_FALSE(model.enables().search);
  model.indexesReloaded({"B", "C"}, {"B"});
  EXPECT_EQ(selected(), (Names{"B"}));
  EXPECT_TRUE(model.enables().search);
  // Two lines of one name, each still searching the entry it stands for.
  model.indexesReloaded({"B", "B", "C"}, {"B"}, {1, 2, 0});
  EXPECT_EQ(selected(), (Names{"B", "B"}));
  EXPECT_EQ(model.request().selectedEntries, (std::vector<int>{1, 2}));
}

TEST_F(SearchDialogModelTest, OnlyItsEventsReevaluateTheSearchButton) {
  model.open({"A", "B"}, {}, true);
  model.queryChanged("dom");
  model.selectAll(false);
  EXPECT_FALSE(model.enables().search);
  // "Pred. hľad." would allow a search with no index selected, but clicking
  // it does not re-evaluate the button.
  model.previousResultClicked();
  EXPECT_FALSE(model.enables().search);
  EXPECT_FALSE(model.enables().allNone);
  EXPECT_EQ(model.values().scope, SearchScope::previousResult);
  model.queryChanged("domy");
  EXPECT_TRUE(model.enables().search);
  // The list taking the focus returns to "V indexoch:", again without re-evaluating.
  model.indexListFocused();
  EXPECT_EQ(model.values().scope, SearchScope::selectedIndexes);
  EXPECT_TRUE(model.enables().allNone);
  EXPECT_TRUE(model.enables().search);
  model.selectionChanged({false, true});
  EXPECT_TRUE(model.enables().search);
  EXPECT_EQ(model.request().selectedIndexNames, (Names{"B"}));
}

TEST_F(SearchDialogModelTest, DistanceEditFollowsTheOperator) {
  model.open({}, {}, false);
  for (int position = -1; position <= 6; ++position) {
    model.operatorChanged(position);
    EXPECT_EQ(model.enables().nearDistance, position == kOperatorNear || position == kOperatorOperators)
        << position;
  }
}

TEST_F(SearchDialogModelTest, LanguageEnablesTheModulesTheEngineHas) {
  engine.lemmatizationMask = 0x0001;  // Slovak lemmas only
  engine.synonymMask = 0x0002;        // English synonyms only
  model.open({}, {}, false);
  model.lemmatizationChanged(true);
  model.languageChanged(1);  // "Slovenský"
  EXPECT_TRUE(model.enables().lemmatization);
  EXPECT_FALSE(model.enables().synonyms);
  model.languageChanged(2);  // "Anglický"
  EXPECT_FALSE(model.enables().lemmatization);
  EXPECT_TRUE(model.enables().synonyms);
  EXPECT_TRUE(model.values().lemmatization) << "a disabled box keeps its state";
  model.languageChanged(0);  // "Všetky"
  EXPECT_TRUE(model.enables().lemmatization && model.enables().synonyms);

  SearchDialogModel withoutEngine(history, nullptr);
  withoutEngine.open({}, {}, false);
  withoutEngine.languageChanged(1);
  EXPECT_FALSE(withoutEngine.enables().lemmatization || withoutEngine.enables().synonyms);
}

TEST_F(SearchDialogModelTest, LinguisticBoxesOutliveTheOpeningOtherValuesDoNot) {
  store(0, "dom", kOperatorAnd);
  model.open({"A"}, {}, false);
  model.fuzzyDiaChanged(true);
  model.synonymsChanged(true);
  model.languageChanged(3);
  model.operatorChanged(kOperatorNext);
  model.previousResultClicked();
  model.open({"A"}, {}, false);
  EXPECT_TRUE(model.values().fuzzyDia && model.values().synonyms);
  EXPECT_FALSE(model.values().fuzzyTypo || model.values().lemmatization);
  EXPECT_EQ(model.values().languagePosition, 0);
  EXPECT_EQ(model.values().operatorPosition, kOperatorAnd);
  EXPECT_EQ(model.values().scope, SearchScope::selectedIndexes);
  EXPECT_TRUE(model.enables().allNone) << "\"Vš&etky\" and \"Žiad&ny\" enabled again";
  const SearchRequest request = model.request();
  EXPECT_TRUE(request.fuzzyDia && request.synonyms);
  EXPECT_EQ(request.queryText, "dom");
}

}  // namespace
}  // namespace tarvek::ui
