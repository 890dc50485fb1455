// Starting a Windows program from a test and reading what it wrote.
#pragma once

#include <string>

namespace kelvo::test {

struct ProgramRun {
  int exit_code = -1;  // -1 when the program could not be started
  std::string output;  // standard output and standard error, as written
};

// Runs COMMAND_LINE (UTF-8, as CreateProcessW reads it) to its end with its
// standard output and standard error going to one file, and returns the
// exit code and the bytes written.
ProgramRun runCapturing(const std::string& command_line);

// Returns TEXT between double quotes, for a command line.
inline std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace kelvo::test
