// File-name matching by the Windows wildcard rules, on every platform.
#pragma once

#include <string_view>

namespace kelvo {

// Returns true when NAME matches MASK the way Windows' file enumeration
// matches it: letters without regard to case, '*' any run of characters,
// '?' one character, "*.*" every name (also one without a dot), a '.'
// before a final wildcard or at the end also matching the end of a name
// without an extension, and '?' before a dot or at the end also matching
// nothing.
bool matchesWildcard(std::string_view name, std::string_view mask);

}  // namespace kelvo
