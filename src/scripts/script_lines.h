// Script text as a list of lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// Returns TEXT divided at every line break (CR LF, a lone CR or a lone LF);
// a final line break ends the last line rather than starting an empty one.
std::vector<std::string> splitScriptLines(std::string_view text);

// The largest script file read (INPUT files included), in bytes.
inline constexpr std::size_t kMaxScriptFileSize = 64 * 1024 * 1024;

// Returns the lines of the text file PATH, read in the ANSI code page and
// returned as UTF-8. Raises an Error naming the file when it cannot be read,
// is not a regular file or is larger than kMaxScriptFileSize.
std::vector<std::string> loadScriptFile(const std::string& path);

}  // namespace kelvo
