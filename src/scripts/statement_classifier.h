// Recognises a statement's kind from its token list.
#pragma once

#include <string>
#include <vector>

#include "scripts/statement_kind.h"

namespace kelvo {

// Returns the kind of the statement whose words are TOKENS. Words are
// compared after upper-casing a to z, except RETAINING and WORK after
// COMMIT or ROLLBACK, which must be written in capitals.
StatementKind classifyStatement(const std::vector<std::string>& tokens);

}  // namespace kelvo
