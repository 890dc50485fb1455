// The words of a command line as the archiver reads its own.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// Returns the words of LINE: blanks separate, double quotes group (a quote
// inside a quoted run ends it), and a backslash is an ordinary character, so
// "C:\Loja\" is the one word C:\Loja\.
std::vector<std::string> commandWords(const std::string& line);

}  // namespace kelvo
