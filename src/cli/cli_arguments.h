// The command line of kelvoupdate: one command, the working folder and the
// switches.
#pragma once

#include <string>
#include <vector>

#include "platform/error.h"

namespace kelvo::cli {

enum class Command { Help, Version, Status, Preview, Run };

struct Arguments {
  Command command = Command::Help;
  std::string folder;      // --pasta DIR; empty: the current folder
  bool json = false;       // --json (status, preview)
  bool confirmed = false;  // --confirmo-aplicativos-fechados (run)
};

// A command line that cannot be understood; its text says why.
class UsageError : public Error {
 public:
  using Error::Error;
};

// Returns the arguments of ARGS (without the program name). Throws
// UsageError for an unknown command or switch, a switch the command does
// not take, a missing folder or a second command.
Arguments parseArguments(const std::vector<std::string>& args);

// Returns the text of --help: commands, switches and exit codes.
std::string usageText();

// Returns the text of --version.
std::string versionText();

}  // namespace kelvo::cli
