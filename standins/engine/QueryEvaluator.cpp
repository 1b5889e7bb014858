#include "standins/engine/QueryEvaluator.h"

#include <algorithm>
#include <tuple>

#include "standins/engine/SbiReader.h"

namespace tarvek::sbi {
namespace {

using Kind = QueryNode::Kind;

// Merges two position-sorted occurrence lists, one entry per position.
std::vector<Occurrence> mergeOccurrences(const std::vector<Occurrence>& a, const std::vector<Occurrence>& b) {
  std::vector<Occurrence> out;
  out.reserve(a.size() + b.size());
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i].position < b[j].position)) {
      out.push_back(a[i++]);
    } else if (i == a.size() || b[j].position < a[i].position) {
      out.push_back(b[j++]);
    } else {
      out.push_back({a[i].position, std::max(a[i].length, b[j].length)});
      ++i, ++j;
    }
  }
  return out;
}

Hits unite(const Hits& a, const Hits& b) {
  Hits out;
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i].ordinal < b[j].ordinal)) {
      out.push_back(a[i++]);
    } else if (i == a.size() || b[j].ordinal < a[i].ordinal) {
      out.push_back(b[j++]);
    } else {
      out.push_back({a[i].ordinal, mergeOccurrences(a[i].where, b[j].where)});
      ++i, ++j;
    }
  }
  return out;
}

Hits intersect(const Hits& a, const Hits& b) {
  Hits out;
  for (size_t i = 0, j = 0; i < a.size() && j < b.size();) {
    if (a[i].ordinal < b[j].ordinal) {
      ++i;
    } else if (b[j].ordinal < a[i].ordinal) {
      ++j;
    } else {
      out.push_back({a[i].ordinal, mergeOccurrences(a[i].where, b[j].where)});
      ++i, ++j;
    }
  }
  return out;
}

Hits subtract(const Hits& a, const Hits& b) {
  Hits out;
  size_t j = 0;
  for (const auto& page : a) {
    while (j < b.size() && b[j].ordinal < page.ordinal) ++j;
    if (j == b.size() || b[j].ordinal != page.ordinal) out.push_back(page);
  }
  return out;
}

const PageHits* findPage(const Hits& hits, uint32_t ordinal) {
  auto it =
      std::lower_bound(hits.begin(), hits.end(), ordinal, [](const PageHits& p, uint32_t o) { return p.ordinal < o; });
  return it != hits.end() && it->ordinal == ordinal ? &*it : nullptr;
}

const Occurrence* findPosition(const std::vector<Occurrence>& where, long position) {
  if (position < 0 || position > static_cast<long>(kMaxPosition)) return nullptr;
  auto it = std::lower_bound(where.begin(), where.end(), position,
                             [](const Occurrence& o, long p) { return o.position < p; });
  return it != where.end() && it->position == position ? &*it : nullptr;
}

// The items that have an anchor at most `distance` positions away.
std::vector<Occurrence> keepNear(const std::vector<Occurrence>& items, const std::vector<Occurrence>& anchors,
                                 uint32_t distance) {
  std::vector<Occurrence> kept;
  for (const auto& item : items) {
    const long low = static_cast<long>(item.position) - static_cast<long>(distance);
    auto it = std::lower_bound(anchors.begin(), anchors.end(), low,
                               [](const Occurrence& o, long p) { return o.position < p; });
    if (it != anchors.end() && it->position <= static_cast<long>(item.position) + static_cast<long>(distance))
      kept.push_back(item);
  }
  return kept;
}

}  // namespace

EngineError QueryEvaluator::run(const QueryNode& root, Hits* hits) {
  error_ = kOk;
  auto result = eval(root);
  if (error_ != kOk) return error_;
  if (!result) return kOnlyExcludedWords;
  *hits = std::move(*result);
  return kOk;
}

std::optional<Hits> QueryEvaluator::eval(const QueryNode& node) {
  switch (node.kind) {
    case Kind::kWord:
      return word(node);
    case Kind::kPhrase:
      return phrase(node);
    case Kind::kNear:
      return near(node);
    case Kind::kAnd:
    case Kind::kOr: {
      std::optional<Hits> result;
      for (const auto& child : node.children) {
        auto hits = eval(child);
        if (!hits) continue;
        result = !result                   ? std::move(*hits)
                 : node.kind == Kind::kAnd ? intersect(*result, *hits)
                                           : unite(*result, *hits);
      }
      return result;
    }
    case Kind::kAndNot: {
      auto kept = eval(node.children.front());
      for (size_t i = 1; i < node.children.size(); ++i) {
        auto removed = eval(node.children[i]);
        if (kept && removed) kept = subtract(*kept, *removed);
      }
      return kept;
    }
  }
  return Hits{};
}

std::optional<Hits> QueryEvaluator::word(const QueryNode& node) {
  const auto& excluded = index_.data().excluded;
  if (!node.prefix && std::binary_search(excluded.begin(), excluded.end(), node.word)) return std::nullopt;
  std::vector<std::string> variants{node.word};
  const WordOptions wordOptions{ling_.lemmas, ling_.synonyms, ling_.ignoreDiacritics};
  ExpansionKeys keys;
  if (ling_.data && !expandWord(*ling_.data, node.word, wordOptions, &variants, &keys)) {
    error_ = kDamagedLingData;
    return Hits{};
  }
  if (ling_.lemmas && ling_.indexLemmas) {
    bool damaged = false;
    ling::LingReader* joins = ling_.indexLemmas->reader(&damaged);
    if (damaged || (joins && !addIndexLemmaForms(*joins, node.word, wordOptions, keys, &variants))) {
      error_ = kDamagedIndex;
      return Hits{};
    }
  }
  const MatchOptions options{node.prefix, ling_.ignoreDiacritics, ling_.allowTypo};
  std::vector<uint32_t> terms, found;
  for (const auto& v : variants) {
    if (!matcher_.match(v, options, &found)) {
      error_ = kDamagedIndex;
      return Hits{};
    }
    terms.insert(terms.end(), found.begin(), found.end());
  }
  std::sort(terms.begin(), terms.end());
  terms.erase(std::unique(terms.begin(), terms.end()), terms.end());

  std::vector<std::tuple<uint32_t, uint16_t, uint16_t>> all;  // ordinal, position, length
  std::vector<TopicPositions> postings;
  for (uint32_t t : terms) {
    const Term* term = nullptr;
    if (!index_.term(t, &term) || !index_.postings(*term, &postings)) {
      error_ = kDamagedIndex;
      return Hits{};
    }
    const auto length = static_cast<uint16_t>(term->text.size());
    for (const auto& page : postings)
      for (uint16_t p : page.positions) all.emplace_back(page.ordinal, p, length);
  }
  std::sort(all.begin(), all.end());
  Hits hits;
  for (const auto& [ordinal, position, length] : all) {
    if (hits.empty() || hits.back().ordinal != ordinal) hits.push_back({ordinal, {}});
    auto& where = hits.back().where;
    if (!where.empty() && where.back().position == position) {
      where.back().length = std::max(where.back().length, length);
    } else {
      where.push_back({position, length});
    }
  }
  return hits;
}

std::optional<Hits> QueryEvaluator::phrase(const QueryNode& node) {
  // Excluded words are not indexed but keep their place: "a" in "kniha a pero"
  // still stands between the two other words.
  std::vector<std::optional<Hits>> parts;
  for (const auto& child : node.children) parts.push_back(eval(child));
  size_t first = parts.size();
  for (size_t i = 0; i < parts.size() && first == parts.size(); ++i)
    if (parts[i]) first = i;
  if (first == parts.size()) return std::nullopt;
  const auto indexedWords =
      static_cast<size_t>(std::count_if(parts.begin(), parts.end(), [](auto& p) { return p.has_value(); }));

  Hits hits;
  for (const auto& page : *parts[first]) {
    std::vector<const PageHits*> pages(parts.size(), nullptr);
    bool everywhere = true;
    for (size_t i = 0; i < parts.size() && everywhere; ++i)
      if (parts[i]) everywhere = (pages[i] = findPage(*parts[i], page.ordinal)) != nullptr;
    if (!everywhere) continue;
    std::vector<Occurrence> where;
    for (const auto& start : page.where) {
      const long origin = static_cast<long>(start.position) - static_cast<long>(first);
      if (origin < 0) continue;
      std::vector<Occurrence> match;
      for (size_t i = 0; i < parts.size(); ++i) {
        if (!pages[i]) continue;
        const Occurrence* at = findPosition(pages[i]->where, origin + static_cast<long>(i));
        if (!at) break;
        match.push_back(*at);
      }
      if (match.size() == indexedWords) where = mergeOccurrences(where, match);
    }
    if (!where.empty()) hits.push_back({page.ordinal, std::move(where)});
  }
  return hits;
}

std::optional<Hits> QueryEvaluator::near(const QueryNode& node) {
  std::vector<Hits> parts;
  for (const auto& child : node.children)
    if (auto hits = eval(child)) parts.push_back(std::move(*hits));
  if (parts.empty()) return std::nullopt;
  if (parts.size() == 1) return std::move(parts.front());

  Hits hits;
  for (const auto& page : parts.front()) {
    // A chain: each part within the distance of the part before it.
    std::vector<std::vector<Occurrence>> chain{page.where};
    for (size_t i = 1; i < parts.size() && !chain.back().empty(); ++i) {
      const PageHits* other = findPage(parts[i], page.ordinal);
      chain.push_back(other ? keepNear(other->where, chain.back(), node.distance) : std::vector<Occurrence>{});
    }
    if (chain.size() < parts.size() || chain.back().empty()) continue;
    for (size_t i = chain.size() - 1; i > 0; --i) chain[i - 1] = keepNear(chain[i - 1], chain[i], node.distance);
    std::vector<Occurrence> where;
    for (const auto& links : chain) where = mergeOccurrences(where, links);
    hits.push_back({page.ordinal, std::move(where)});
  }
  return hits;
}

}  // namespace tarvek::sbi
