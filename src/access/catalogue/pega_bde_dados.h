// Looks one parameter of a database-engine alias up.
#pragma once

#include <string>
#include <string_view>

#include "access/catalogue/alias_registry.h"

namespace kelvo {

// Returns the value of parameter PAR of alias BASE in REGISTRY (at most 100
// characters), or empty text when either name is empty, the alias or the
// parameter is unknown, or the registry fails. The name must match exactly
// (letter case included) and be followed directly by '='; when several
// lines match, the last one decides. Never throws.
std::string PegaBDEdados(AliasRegistry& registry, std::string_view base,
                         std::string_view par) noexcept;

// Returns what the alias registry has against the alias BASE, such as the
// alias file's "PATH:LINE: what is wrong", an unknown alias or an unreadable
// file; empty text when BASE is empty or can be used. A complaint is also
// written to standard error. For the operator, beside the message that the
// alias was not found. Never throws.
std::string aliasProblem(AliasRegistry& registry, std::string_view base) noexcept;

// The same, for this machine's alias registry.
std::string aliasProblem(std::string_view alias);

}  // namespace kelvo
