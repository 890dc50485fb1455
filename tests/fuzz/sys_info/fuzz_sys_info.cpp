// libFuzzer target: any bytes as the first line of Sys_Info.INI. The alias
// read from it is valid UTF-8 without blanks or control characters at
// either end, and comes from at most thirty of the line's characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "update/preparation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find_first_of("\r\n"));
  const std::string alias = kelvo::settingsAliasOfLine(line);
  if (alias.size() > 30 * 3) std::abort();
  const auto edge = [](unsigned char c) { return c <= ' '; };
  if (!alias.empty() && (edge(alias.front()) || edge(alias.back()))) std::abort();
  for (std::size_t pos = 0; pos < alias.size();) {
    if (kelvo::decodeUtf8(alias, pos) == 0xFFFD) std::abort();
  }
  return 0;
}
