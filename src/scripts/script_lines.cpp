// Dividing script text into lines and reading script files.
#include "scripts/script_lines.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"

namespace kelvo {

std::vector<std::string> splitScriptLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
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
