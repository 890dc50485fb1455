// Text as a JSON string, for the programs that write JSON.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// Returns TEXT (UTF-8) as a JSON string, quotes included: quote, backslash
// and control characters escaped, everything else as it stands.
std::string jsonString(std::string_view text);

}  // namespace kelvo
