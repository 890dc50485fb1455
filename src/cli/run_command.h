// kelvoupdate run: the whole update without a desktop.
#pragma once

#include "access/catalogue/alias_registry.h"
#include "cli/console.h"
#include "update/site_update.h"

namespace kelvo::cli {

// Runs the update in the working folder: the gate, the operator's
// confirmation (CONFIRMED), the preparation, the file update run and the
// script application run, composed as for the screens. Writes the final
// status line to standard output and returns the exit code.
int runUpdate(Console& console, AliasRegistry& registry, bool confirmed);

// Returns the exit code of an unattended update's RESULT.
int updateExitCode(const WholeUpdateResult& result);

}  // namespace kelvo::cli
