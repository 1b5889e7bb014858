#pragma once
// The 16-bit option word sent to the engine with every query, built from the
// search dialog's choices, and the language rules around it.

#include <cstdint>
#include <optional>
#include <string>

#include "catalogue/Languages.h"

namespace tarvek {

class IndexEngine;

// Bits of the option word.
inline constexpr uint16_t kFlagNearDistanceMask = 0x000F;
inline constexpr uint16_t kFlagLemmatization = 0x0080;
inline constexpr uint16_t kFlagAlwaysSet = 0x0100;  // added by searchIndex to every query
inline constexpr uint16_t kFlagSynonyms = 0x1000;
inline constexpr uint16_t kFlagFuzzyDia = 0x2000;
inline constexpr uint16_t kFlagFuzzyTypo = 0x4000;

// Positions of the operator combo box, in its order.
enum OperatorPosition : int {
  kOperatorAnd = 0,        // "AND (a zároveň)"   0x20
  kOperatorOr = 1,         // "OR (alebo)"        0x10
  kOperatorNot = 2,        // "NOT (a nie)"       0x30
  kOperatorNear = 3,       // "NEAR (blízko)"     0x50 + distance
  kOperatorNext = 4,       // "NEXT (fráza)"      0x40
  kOperatorOperators = 5,  // "Operátory"         0x70 + distance
};
inline constexpr int kOperatorCount = 6;

// LanguageCode values.
enum LanguageCode : uint16_t {
  kSlovak = 0,
  kEnglish = 1,
  kCzech = 2,
  kFrench = 3,
  kGerman = 4,
  kHungarian = 5,
  kPolish = 6,
  kItalian = 7,
  kSpanish = 8,
};

// The NEAR distance of the "NEAR je:" text: its leading decimal number (the
// field holds at most 2 characters) when it is 1 to 15, else 8.
uint16_t nearDistance(const std::string& text);

// Mode bits of an operator position, with the distance where the mode takes one;
// 0 for a position outside the list.
uint16_t operatorBits(int operatorPosition, uint16_t distance);

// The flags shared by every index of one search.
uint16_t baseSearchFlags(int operatorPosition, const std::string& nearText, bool fuzzyDia, bool fuzzyTypo);

// The language a position of the language combo box filters by; none for
// position 0 ("Všetky") and for positions outside the list.
std::optional<uint16_t> languageOfChoice(int languagePosition);

// Bit n of the language mask for codes 0 to 8; 0 for any other code.
uint16_t languageMask(uint16_t languageCode);

// True iff the engine has the module of `kind` (0 lemmatization, 16 synonyms)
// for the language: it answers exactly the mask it was asked. Never for a
// language code outside the list.
bool lingModulePresent(IndexEngine& engine, uint32_t kind, uint16_t languageCode);

// The base flags plus the lemmatization and synonym bits the index's language allows.
uint16_t indexSearchFlags(uint16_t baseFlags, bool lemmatization, bool synonyms, IndexEngine& engine,
                          uint16_t languageCode);

}  // namespace tarvek
