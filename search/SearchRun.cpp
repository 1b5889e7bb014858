#include "search/SearchRun.h"

#include <memory>
#include <unordered_set>
#include <utility>

#include "catalogue/ActiveIndexList.h"
#include "catalogue/MappingCache.h"
#include "catalogue/MappingFile.h"
#include "engine/IndexEngine.h"
#include "search/SearchFlags.h"
#include "search/SearchHistory.h"
#include "search/SearchResultSet.h"
#include "search/ErrorReport.h"

namespace tarvek {
namespace {

// The entries of the dialog's list a search goes through, in order.
std::vector<int> chooseEntries(SearchContext& context, const SearchRequest& request) {
  std::vector<std::string> names;
  if (request.scope == SearchScope::previousResult) {
    // Each result file knows the entry that found it, so two entries of one
    // name are both searched again. A list changed since (the entry there
    // has another name now) falls back to the first entry of the name.
    std::vector<int> entries;
    std::unordered_set<int> taken;
    for (int i = 0; i < context.results.fileCount(); ++i) {
      const FileHit& hit = context.results.file(i);
      int found = hit.indexEntry;
      if (found < 0 || found >= context.indexes.count() || context.indexes.entry(found).indexName != hit.indexName)
        found = context.indexes.findByName(hit.indexName);
      if (found >= 0 && taken.insert(found).second) entries.push_back(found);
    }
    return entries;
  } else {
    if (request.scope == SearchScope::selectedIndexes) context.rememberedSelection = request.selectedIndexNames;
    if (!request.selectedEntries.empty()) return request.selectedEntries;
    names = request.selectedIndexNames;
  }
  std::vector<int> entries;
  for (const std::string& name : names)
    if (const int found = context.indexes.findByName(name); found >= 0) entries.push_back(found);
  return entries;
}

// Closes the index on every way out of searchIndex.
class OpenIndex {
 public:
  OpenIndex(IndexEngine& engine, uint32_t handle) : engine_(engine), handle_(handle) {}
  ~OpenIndex() {
    if (handle_) engine_.indexClose(handle_);
  }
  OpenIndex(const OpenIndex&) = delete;
  OpenIndex& operator=(const OpenIndex&) = delete;
  // Closes now and returns the engine's status.
  EngineErrorCode close() { return engine_.indexClose(std::exchange(handle_, 0)); }

 private:
  IndexEngine& engine_;
  uint32_t handle_;
};

// The result file of a mapping entry, added when the set lacks it. The
// position is remembered per mapping entry: within one index the set only
// grows, so a file once found stays where it is, and most hits then cost no
// path lookup at all. A new file takes its size and time from the disk now,
// not from when the mapping was read: only the files hit are looked up, and
// a kept mapping never shows a file as it was.
FileHit& fileFor(Env& env, SearchResultSet& results, const MappingEntry& entry, int entryPosition,
                 std::vector<int>& positionByEntry, const std::string& indexName, int indexEntry) {
  int& known = positionByEntry[entryPosition];
  if (known >= 0) return results.file(known);
  bool added = false;
  const int position = results.findOrAddFile(entry.pdfPath, entry.pageCount, &added);
  if (added) {
    FileHit& hit = results.file(position);
    const FileState disk = fileStateOnDisk(env, entry);
    hit.indexName = indexName;
    hit.indexEntry = indexEntry;
    hit.modified = disk.modified;
    hit.pdfTitle = entry.pdfTitle;
    hit.sizeText = std::to_string(static_cast<int32_t>(disk.fileSize));
    hit.currentPage = -1;
  }
  known = position;
  return results.file(position);
}

}  // namespace

int runSearch(SearchContext& context, const SearchRequest& request, SearchDialogActions& dialog) {
  context.history.add(request.queryText, request.operatorPosition);
  context.history.storeNear(request.nearText);

  const uint16_t baseFlags =
      baseSearchFlags(request.operatorPosition, request.nearText, request.fuzzyDia, request.fuzzyTypo);
  const std::vector<int> entries = chooseEntries(context, request);

  context.results.clear();
  context.results.setQueryText(request.queryText);

  const std::optional<uint16_t> language = languageOfChoice(request.languagePosition);
  for (int position : entries) {
    if (!context.indexes.setCurrent(position)) continue;
    const ActiveIndexEntry entry = *context.indexes.currentEntry();
    if (language && entry.language != *language) continue;
    const uint16_t flags =
        indexSearchFlags(baseFlags, request.lemmatization, request.synonyms, context.engine, entry.language);
    // A failing index has been reported already; the next one follows.
    searchIndex(context, entry.indexName, entry.indexPath, entry.mappingPath, request.queryText, flags, position);
  }

  const int found = context.results.fileCount();
  dialog.enablePreviousResult(found > 0);
  if (found > 0) {
    context.results.computeTotals();
    context.results.selectFile(0);
    dialog.closeWithOk();
    dialog.openResults();
  } else {
    context.reporter.warning(context.env.module.text(kTextNoFileFound));
  }
  return found;
}

bool searchIndex(SearchContext& context, const std::string& indexName, const std::string& indexPath,
                 const std::string& mappingPath, const std::string& queryText, uint16_t flags, int indexEntry) {
  std::shared_ptr<MappingFile> mapping;
  if (context.mappings) {
    mapping = context.mappings->get(mappingPath);
  } else {
    mapping = std::make_shared<MappingFile>(context.env);
    FileInfo file;
    if (!mapping->loadForSearch(mappingPath, &file)) mapping.reset();
  }
  if (!mapping) return false;
  return searchLoadedIndex(context, *mapping, indexName, indexPath, queryText, flags, indexEntry);
}

bool searchLoadedIndex(SearchContext& context, MappingFile& mapping, const std::string& indexName,
                       const std::string& indexPath, const std::string& queryText, uint16_t flags,
                       int indexEntry) {
  IndexEngine& engine = context.engine;
  Module& texts = context.env.module;
  EngineErrorCode error = 0;
  const uint32_t handle = engine.indexOpen(indexPath, nullptr, &error);
  if (!handle) {
    context.reporter.error(texts.text(kTextIndexOpenFailed), indexPath, {}, error);
    return false;
  }
  OpenIndex index(engine, handle);

  error = 0;
  const uint32_t list = engine.indexQuery(handle, queryText, flags | kFlagAlwaysSet, &error);
  if (!list) {
    if (error == engine_api::kOnlyExcludedWords)
      context.reporter.warning(texts.text(kTextOnlyExcludedWords), indexPath);
    else
      context.reporter.error(texts.text(kTextQueryFailed), indexPath, {}, error);
    return false;
  }

  uint32_t topicCount = 0;
  if (EngineErrorCode status = engine.topicCount(list, &topicCount); status != 0) {
    context.reporter.error(texts.text(kTextTopicCountFailed), indexPath, {}, status);
    return false;
  }

  bool whole = true;
  std::vector<int> positionByEntry(mapping.count(), -1);
  for (uint32_t t = 0; t < topicCount; ++t) {
    uint32_t topicId = 0;
    uint32_t occurrenceCount = 0;
    if (EngineErrorCode status = engine.topic(list, t, &topicId, &occurrenceCount); status != 0) {
      context.reporter.error(texts.text(kTextTopicFailed), indexPath, {}, status);
      return false;
    }
    const int page = mapping.findTopic(topicId);
    if (page < 0) continue;
    FileHit& hit =
        fileFor(context.env, context.results, *mapping.entry(), mapping.currentPosition(), positionByEntry,
                indexName, indexEntry);
    if (page >= hit.pageCount || hit.isHit(page)) continue;  // the first hit of a page wins
    const uint32_t count = occurrenceCount & 0xFFFF;
    uint32_t* slots = hit.recordPage(page, count);
    // A page with no occurrences counts as hit; the engine is not asked for none.
    if (count == 0) continue;
    if (EngineErrorCode status = engine.topicOccurrences(list, t, count, slots); status != 0) {
      context.reporter.error(texts.text(kTextOccurrencesFailed), indexPath, {}, status);
      whole = false;
      break;  // the page keeps its count; hits merged so far stay
    }
  }

  if (EngineErrorCode status = index.close(); status != 0) {
    context.reporter.error(texts.text(kTextIndexCloseFailed), indexPath, {}, status);
    return false;
  }
  return whole;
}

}  // namespace tarvek
