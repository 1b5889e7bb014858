#pragma once
// What a catalogue file reader found wrong with its input: the first
// irregularity and its byte offset. Readers keep every complete entry read
// before damage that stops them; some irregularities do not stop them.

#include <cstddef>

namespace tarvek {

enum class Damage {
  none,
  truncated,             // a field runs past the end of the file (reading stops)
  negativeLength,        // a text with a negative byte count (reading stops)
  negativeCount,         // a list with a negative element count, read as empty
  negativePageCount,     // an entry with a negative page count (reading stops)
  unknownVersion,        // a mapping version other than 1 and 2: entries not read
  entryOverrunsBlock,    // a version-2 entry needs more than its length gives (reading stops)
  blockLongerThanEntry,  // a version-2 entry leaves bytes of its length unused (entry kept)
  trailingBytes,         // bytes after the last entry, ignored
};

struct ParseReport {
  Damage damage = Damage::none;
  size_t offset = 0;  // byte offset in the file of the first irregularity

  bool whole() const { return damage == Damage::none; }
  // Keeps the first irregularity only: later ones are often its consequences.
  void note(Damage what, size_t at) {
    if (damage != Damage::none) return;
    damage = what;
    offset = at;
  }
};

}  // namespace tarvek
