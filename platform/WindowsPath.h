#pragma once
// Helpers for full Windows paths held as ANSI text.

#include <string>
#include <string_view>

namespace tarvek::path {

// The path up to its last backslash, the backslash removed ("d:\a\b.pdf" ->
// "d:\a"). A path without a backslash gives an empty text.
std::string folderOf(std::string_view path);

// The part after the last backslash (the whole path when it has none).
std::string fileNameOf(std::string_view path);

// `path` without its last `count` characters (all of it when shorter), then `suffix`.
std::string replaceTail(std::string_view path, size_t count, std::string_view suffix);

}  // namespace tarvek::path
