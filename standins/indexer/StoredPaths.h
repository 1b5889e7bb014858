#pragma once
// How the indexer writes PDF and folder paths into the mapping file: Windows
// paths in code page 1250. With a path variable ("$DOCS") a path is stored
// relative to the index's folder, "$DOCS\sub\a.pdf"; a reader that finds no
// value for the variable puts the mapping file's folder in its place, so the
// index and its PDF set can move together. Without one the absolute path is
// stored on drive Z:, where Wine shows the Linux root.

#include <filesystem>
#include <string>

namespace tarvek::indexer {

// "$NAME" for "NAME" or "$NAME"; empty when the name is empty or holds a
// backslash, a slash or a further "$".
std::string normalizeVariable(const std::string& name);

std::string storedFilePath(const std::filesystem::path& file, const std::filesystem::path& indexFolder,
                           const std::string& variable);
// The same for a folder, ending with a backslash.
std::string storedFolderPath(const std::filesystem::path& folder, const std::filesystem::path& indexFolder,
                             const std::string& variable);

}  // namespace tarvek::indexer
