#include "standins/engine/tests/EngineFixture.h"

#include "standins/engine/Engine.h"
#include "standins/engine/LingWriter.h"

namespace tarvek::sbi::test {

std::vector<uint8_t> buildTestLingData() {
  ling::LingSource source;
  auto lemma = [&](const char* l, std::initializer_list<const char*> forms) {
    auto& group = source.lemmas[ansi(l)];
    for (const char* f : forms) group.insert(ansi(f));
  };
  lemma("kniha", {"knihy", "knihe", "knihou"});
  lemma("občan", {"občana", "občanom"});
  lemma("obyvateľ", {"obyvateľa"});
  // "stola" is a form of two lemmas here, whose other forms stand on two pages.
  lemma("stôl", {"stola", "stole"});
  lemma("trh", {"trhu", "stola"});
  lemma("predpis", {"predpisu", "predpisy"});
  source.synonyms[ansi("zákon")] = {ansi("predpis"), ansi("norma")};
  source.synonyms["predpis"] = {ansi("zákon")};
  source.synonyms[ansi("obyvateľ")] = {ansi("občan")};
  return ling::buildLingData(0, source);
}

void EngineFixture::SetUp() {
  indexPath_ = folder_.write("test.sbi", buildTestIndex());
  folder_.write("ling_sk.tld", buildTestLingData());
  Engine::instance().setDataFolder(folder_.path().string());
  uint16_t error = 0xFFFF;
  index_ = IndexOpen(indexPath_.c_str(), nullptr, &error);
  ASSERT_NE(index_, 0u) << "error " << error;
  ASSERT_EQ(error, 0);
}

void EngineFixture::TearDown() {
  if (index_) IndexClose(index_);
  Engine::instance().setDataFolder("");
}

QueryOutcome EngineFixture::query(const char* utf8, uint32_t flags) {
  QueryOutcome outcome;
  const std::string text = ansi(utf8);
  const uint32_t list = IndexQuery(index_, text.c_str(), 0, flags | 0x0100, 0, 0, &outcome.error);
  if (!list) {
    EXPECT_NE(outcome.error, 0) << "a failed query must say why";
    return outcome;
  }
  uint32_t count = 0;
  EXPECT_EQ(TListGetNumOfTopics(list, &count), 0);
  for (uint32_t t = 0; t < count; ++t) {
    uint32_t id = 0, occurrences = 0;
    EXPECT_EQ(TListGetTopic(list, t, t, &id, &occurrences), 0);
    std::vector<uint32_t> values(occurrences);
    if (occurrences) {
      EXPECT_EQ(TListGetTopicOcc(list, t, 0, occurrences - 1, 0, values.data(), 0, 0), 0);
    }
    outcome.ids.push_back(id);
    outcome.occurrences.push_back(values);
  }
  return outcome;
}

}  // namespace tarvek::sbi::test
