// The archiver's command line: "x -o+ ARCHIVE MASK TARGET".
#pragma once

#include <string>
#include <vector>

namespace kelvo::archiver {

struct ExtractRequest {
  std::string archive;
  std::string mask = "*";
  std::string target = ".";
};

// Returns the request of ARGS (the arguments after the program name):
// the command "x" (extract with paths), the switch "-o+" (overwrite
// without asking), the archive, an optional mask (default "*") and an
// optional target folder (default the working folder). A target written
// with Windows separators (".\") is read with the native one. Raises
// kelvo::Error with a usage text for anything else.
ExtractRequest parseCommand(const std::vector<std::string>& args);

// The usage text.
extern const char* const kUsage;

}  // namespace kelvo::archiver
