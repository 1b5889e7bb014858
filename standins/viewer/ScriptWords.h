#pragma once
// The words of a script line, shared by the viewer's script mode and the
// driver (standins/driver).

#include <string>
#include <vector>

namespace viewer {

// Splits a script line into words; double quotes group words with spaces,
// \" and \\ inside them stand for themselves.
std::vector<std::string> splitWords(const std::string& line);

}  // namespace viewer
