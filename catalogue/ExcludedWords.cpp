#include "catalogue/ExcludedWords.h"

#include "engine/EngineApi.h"
#include "engine/IndexEngine.h"

namespace tarvek {

bool readExcludedWords(IndexEngine& engine, Alert& alert, Module& texts, const std::string& indexPath,
                       const std::function<void(const std::string&)>& onWord) {
  checkEngineVersion(engine, alert, texts);
  EngineErrorCode error = 0;
  const uint32_t index = engine.indexOpen(indexPath, nullptr, &error);
  if (index == 0) return false;
  engine.enumKeys(index, engine_api::kEnumExcludedWords, onWord);
  engine.indexClose(index);
  return true;
}

}  // namespace tarvek
