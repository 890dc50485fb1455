// Dividing script text into lines and reading script files.
#include "scripts/script_lines.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text_lines.h"

namespace kelvo {

std::vector<std::string> splitScriptLines(std::string_view text) {
  const auto views = splitLines(text);
  return {views.begin(), views.end()};
}

// A device such as /dev/zero or a pipe never ends, and a huge file would be
// held in memory whole, several times over: both are refused before reading.
std::vector<std::string> loadScriptFile(const std::string& path) {
  const auto refuse = [&](const std::string& why) -> std::vector<std::string> {
    throw Error("Cannot open file \"" + path + "\". " + why);
  };
  if (directoryExists(path)) return refuse(errorNumberMessage(EISDIR));
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (!error && status.type() != std::filesystem::file_type::regular) {
    return refuse("It is not a regular file");
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int code = errno;
    return refuse(errorNumberMessage(code != 0 ? code : ENOENT));
  }
  // Read in pieces up to one byte beyond the limit, so that a file that
  // grows while it is read is refused as well.
  const std::string too_large = "It is larger than " +
                                std::to_string(kMaxScriptFileSize / (1024 * 1024)) +
                                " MiB, too large for a script";
  const auto size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxScriptFileSize) return refuse(too_large);
  std::string content;
  char piece[64 * 1024];
  while (in.read(piece, sizeof piece) || in.gcount() > 0) {
    content.append(piece, static_cast<std::size_t>(in.gcount()));
    if (content.size() > kMaxScriptFileSize) return refuse(too_large);
  }
  if (in.bad()) return refuse(errorNumberMessage(errno != 0 ? errno : EIO));
  return splitScriptLines(ansiToUtf8(content));
}

}  // namespace kelvo
