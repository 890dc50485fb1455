// Bytes written as hexadecimal digits, for SQL literals, build options,
// keys and digests.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

// Returns BYTES as upper-case hexadecimal digits, two per byte.
std::string toHex(std::string_view bytes);

// Returns BYTES as lower-case hexadecimal digits, the form keys, digests and
// signatures are written in.
std::string toLowerHex(std::string_view bytes);

// Returns the bytes that DIGITS spell, two digits per byte in either case;
// nothing for an odd count or a character that is not a digit.
std::optional<std::string> fromHex(std::string_view digits);

}  // namespace kelvo
