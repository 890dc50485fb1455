// kelvoupdate run: the whole update without a desktop.
#pragma once

#include "access/catalogue/alias_registry.h"
#include "cli/console.h"

namespace kelvo::cli {

// Runs the update in the working folder: the gate, the operator's
// confirmation (CONFIRMED), the preparation, the file update run and the
// script application run, all as the screens run them. Writes the final
// status line to standard output and returns the exit code.
int runUpdate(Console& console, AliasRegistry& registry, bool confirmed);

// Returns the exit code that tells the final STATUS_LINE apart.
int statusExitCode(const std::string& status_line);

}  // namespace kelvo::cli
