// Feeds any bytes to the .sbi reader (and to the source-file table's), the checksums left out so the
// structural checks are reached, then reads every topic id, every dictionary
// block and every posting list, and runs a few queries of each kind over
// whatever was accepted, the lemmatized ones through the lemma section.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "standins/engine/IndexLemmas.h"
#include "standins/engine/Query.h"
#include "standins/engine/QueryEvaluator.h"
#include "standins/engine/SbiReader.h"
#include "standins/indexer/SourceTable.h"

using namespace tarvek::sbi;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The same bytes as the indexer's source-file table.
  tarvek::indexer::decodeSources(std::vector<uint8_t>(data, data + size));
  IndexData index;
  readIndex(data, size, size, true, &index);
  if (readIndex(data, size, size, false, &index) != kOk) return 0;
  MemoryPostings source(data, size);
  {
    IndexReader reader(index, source, false);
    uint32_t id = 0;
    for (uint32_t ordinal = 0; ordinal < index.topicCount && ordinal < 100000; ++ordinal)
      if (!reader.topicId(ordinal, &id)) break;
    const std::vector<Term>* terms = nullptr;
    std::vector<TopicPositions> postings;
    if (reader.allTerms(&terms)) {
      for (const auto& term : *terms) {
        if (!reader.postings(term, &postings)) continue;
        for (const auto& page : postings)
          if (page.ordinal >= index.topicCount || page.positions.empty()) std::abort();
      }
    }
  }
  IndexReader reader(index, source, false);
  TermMatcher matcher(reader);
  IndexLemmas lemmas(index, source, false);
  const char* queries[] = {"kniha pero", "\"kniha a pero\" OR (vod* NOT les) NEAR/2 mäso", "knihx", "knihou OR vode",
                           "knihu"};
  const uint32_t flags[] = {0x20, 0x70, 0x4000 | 0x2000 | 0x50, 0x70 | kFlagLemmas, 0x20 | kFlagLemmas | kFlagFuzzyDia};
  for (int i = 0; i < 5; ++i) {
    QueryNode root;
    if (parseQuery(queries[i], flags[i], &root) != kOk) std::abort();
    Linguistics linguistics;
    linguistics.ignoreDiacritics = flags[i] & kFlagFuzzyDia;
    linguistics.allowTypo = flags[i] & kFlagFuzzyTypo;
    linguistics.lemmas = flags[i] & kFlagLemmas;
    linguistics.indexLemmas = &lemmas;
    Hits hits;
    if (QueryEvaluator(reader, matcher, linguistics).run(root, &hits) == kOk)
      for (const auto& page : hits)
        if (page.ordinal >= index.topicCount) std::abort();
  }
  return 0;
}
