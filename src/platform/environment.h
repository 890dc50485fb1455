// The process's environment variables, read as UTF-8.
#pragma once

#include <string>

namespace kelvo {

// Returns the value of the environment variable NAME as UTF-8, or an empty
// text when it is not set. On Windows the value is read in UTF-16, so a
// folder name outside the ANSI code page survives.
std::string environmentVariable(const char* name);

}  // namespace kelvo
