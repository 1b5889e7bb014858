#pragma once
// The text forms printed by tarvek-catalogue: a catalogue file as stored, one
// field per line, and the verdict on whether it is whole. The forms are
// described in catalogue/tool/README.md; keep them stable.

#include <ostream>
#include <string>
#include <string_view>

#include "catalogue/ParseReport.h"

namespace tarvek::tool {

enum class FileKind { database, mapping };

// By the name's extension (.idb, .sbf, any case), else by the magic text.
FileKind kindOf(const std::string& fileName, std::string_view bytes);

// How texts of the files are shown: every byte outside printable ASCII as
// %HH, or, readable, the code page 1250 letters decoded to UTF-8.
enum class TextForm { escaped, readable };

// A text in double quotes; '"', '%', control bytes and (escaped, or bytes
// that are no character in code page 1250) other bytes as %HH.
std::string quoted(std::string_view text, TextForm form = TextForm::escaped);

// "whole", or "damaged at byte N: token (explanation)".
std::string verdict(const ParseReport& report);

// Prints every field read, then the verdict; returns the report.
ParseReport dump(FileKind kind, std::string_view bytes, std::ostream& out, TextForm form = TextForm::escaped);

}  // namespace tarvek::tool
