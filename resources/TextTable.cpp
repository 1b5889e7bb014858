#include "resources/TextTable.h"

namespace tarvek {

const char* utf8TextFor(TextId id) {
  switch (id) {
#define TARVEK_TEXT(name, id, text) \
  case name:                        \
    return text;
#include "resources/texts.def"
#undef TARVEK_TEXT
  }
  return nullptr;
}

}  // namespace tarvek
