// Bytes written as hexadecimal digits, for SQL literals and build options.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// Returns BYTES as upper-case hexadecimal digits, two per byte.
std::string toHex(std::string_view bytes);

}  // namespace kelvo
