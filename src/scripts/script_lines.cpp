// Dividing script text into lines and reading script files.
#include "scripts/script_lines.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text_lines.h"

namespace kelvo {

std::vector<std::string> splitScriptLines(std::string_view text) {
  const auto views = splitLines(text);
  return {views.begin(), views.end()};
}

std::vector<std::string> loadScriptFile(const std::string& path) {
  if (directoryExists(path)) {
    throw Error("Cannot open file \"" + path + "\". " + systemErrorMessage(EISDIR));
  }
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  if (in) content << in.rdbuf();
  if (!in || in.bad()) {
    const int code = errno;
    throw Error("Cannot open file \"" + path + "\". " +
                systemErrorMessage(code != 0 ? code : ENOENT));
  }
  return splitScriptLines(ansiToUtf8(content.str()));
}

}  // namespace kelvo
