#include "search/ErrorReport.h"

namespace tarvek {

std::string errorNumberText(uint16_t number) { return number == 0 ? std::string() : std::to_string(number); }

}  // namespace tarvek
