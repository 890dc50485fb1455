// Paths written with the Windows separator, as the system builds them.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvo {

// Returns PATH with every backslash replaced by the native folder separator;
// on Windows PATH itself. Every path built with "\" passes through here
// before it reaches the file system.
std::string nativePath(std::string_view path);

// Returns the file-system path named by the UTF-8 text PATH. On Windows a
// path built from a plain std::string would read its bytes in another
// encoding, so every UTF-8 name reaches std::filesystem through here.
std::filesystem::path filePath(std::string_view path);

// Returns PATH as UTF-8 text, the inverse of filePath.
std::string utf8Text(const std::filesystem::path& path);

}  // namespace kelvo
