#pragma once
// Script files and the words of their lines, shared by the viewer's script mode and the
// driver (standins/driver).

#include <string>
#include <vector>

namespace viewer {

// Splits a script line into words; double quotes group words with spaces,
// \" and \\ inside them stand for themselves.
std::vector<std::string> splitWords(const std::string& line);

// Reads the lines of a UTF-8 script (a leading byte order mark dropped)
// from the file `name`, or from standard input for "-"; false when the file
// cannot be read.
bool readScript(const std::string& name, std::vector<std::string>* lines);

}  // namespace viewer
