// libFuzzer target: any bytes as atualiza.cfg, read as the file run reads
// it. The only failures are the two about the port.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/text_lines.h"
#include "update/atualiza_cfg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (const auto line : kelvo::splitLines(bytes)) lines.push_back(kelvo::ansiToUtf8(line));
  try {
    const kelvo::FtpSettings settings = kelvo::parseFtpSettings(lines);
    if (!lines.empty() && settings.host != lines[0]) std::abort();
  } catch (const kelvo::Error& e) {
    // The message quotes the port line; what() ends at a NUL byte in it.
    const std::string message = e.what();
    const bool cut = lines.size() > 1 && lines[1].find('\0') != std::string::npos;
    if (!message.starts_with("'") ||
        (!cut && !message.ends_with("' is not a valid integer value") &&
         !message.ends_with("' is not a valid port number"))) {
      std::abort();
    }
  }
  return 0;
}
