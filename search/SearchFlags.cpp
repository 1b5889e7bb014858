#include "search/SearchFlags.h"

#include "engine/IndexEngine.h"

namespace tarvek {
namespace {

constexpr uint16_t kDefaultNearDistance = 8;
constexpr size_t kNearFieldLength = 2;

}  // namespace

uint16_t nearDistance(const std::string& text) {
  // Read like atoi: leading blanks, an optional sign, then digits.
  const std::string field = text.substr(0, kNearFieldLength);
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
  int value = 0;
  while (i < field.size() && field[i] >= '0' && field[i] <= '9') value = value * 10 + (field[i++] - '0');
  if (negative) value = -value;
  return value >= 1 && value <= 15 ? static_cast<uint16_t>(value) : kDefaultNearDistance;
}

uint16_t operatorBits(int operatorPosition, uint16_t distance) {
  switch (operatorPosition) {
    case kOperatorAnd:
      return 0x20;
    case kOperatorOr:
      return 0x10;
    case kOperatorNot:
      return 0x30;
    case kOperatorNear:
      return 0x50 | (distance & kFlagNearDistanceMask);
    case kOperatorNext:
      return 0x40;
    case kOperatorOperators:
      return 0x70 | (distance & kFlagNearDistanceMask);
    default:
      return 0;
  }
}

uint16_t baseSearchFlags(int operatorPosition, const std::string& nearText, bool fuzzyDia, bool fuzzyTypo) {
  uint16_t flags = 0;
  if (fuzzyDia) flags |= kFlagFuzzyDia;
  if (fuzzyTypo) flags |= kFlagFuzzyTypo;
  return flags | operatorBits(operatorPosition, nearDistance(nearText));
}

std::optional<uint16_t> languageOfChoice(int languagePosition) {
  if (languagePosition < 1 || languagePosition > kLanguageCount) return std::nullopt;
  return static_cast<uint16_t>(languagePosition - 1);
}

uint16_t languageMask(uint16_t languageCode) {
  return languageCode < kLanguageCount ? static_cast<uint16_t>(1u << languageCode) : 0;
}

bool lingModulePresent(IndexEngine& engine, uint32_t kind, uint16_t languageCode) {
  const uint16_t mask = languageMask(languageCode);
  // A code outside the list has no mask, and an engine answering 0 to a 0
  // mask has not said that any module exists.
  if (mask == 0) return false;
  return engine.lingModules(kind, mask) == mask;
}

uint16_t indexSearchFlags(uint16_t baseFlags, bool lemmatization, bool synonyms, IndexEngine& engine,
                          uint16_t languageCode) {
  uint16_t flags = baseFlags;
  if (lemmatization && lingModulePresent(engine, engine_api::kLingLemmatization, languageCode))
    flags |= kFlagLemmatization;
  if (synonyms && lingModulePresent(engine, engine_api::kLingSynonyms, languageCode)) flags |= kFlagSynonyms;
  return flags;
}

}  // namespace tarvek
