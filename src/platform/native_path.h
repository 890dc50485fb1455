// Paths written with the Windows separator, as the system builds them.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// Returns PATH with every backslash replaced by the native folder separator;
// on Windows PATH itself. Every path built with "\" passes through here
// before it reaches the file system.
std::string nativePath(std::string_view path);

}  // namespace kelvo
