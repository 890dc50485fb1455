// Reading atualiza.cfg.
#include "update/atualiza_cfg.h"

#include <fstream>
#include <iterator>
#include <limits>

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text_lines.h"
#include "update/deployment.h"

namespace kelvo {

namespace {

std::string lineAt(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

}  // namespace

long long toInteger(std::string_view text) {
  const auto invalid = [&] {
    return Error("'" + std::string(text) + "' is not a valid integer value");
  };
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) throw invalid();
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') throw invalid();
    if (value > (std::numeric_limits<long long>::max() - 9) / 10) throw invalid();
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

FtpSettings defaultFtpSettings() {
  FtpSettings settings;
  settings.host = kFtpHost;
  return settings;
}

FtpSettings parseFtpSettings(const std::vector<std::string>& lines) {
  FtpSettings settings;
  settings.host = lineAt(lines, 0);
  const std::string port = lineAt(lines, 1);
  const long long number = toInteger(port);
  // A port beyond 16 bits would silently reach another port; refuse it.
  if (number < 0 || number > 65535) throw Error("'" + port + "' is not a valid port number");
  settings.port = static_cast<std::uint16_t>(number);
  settings.passive = upperAscii(lineAt(lines, 2)) != "FALSE";
  settings.secondPassword = !lineAt(lines, 3).empty();
  return settings;
}

FtpSettings readFtpSettings(const std::string& path) {
  if (!fileExists(path)) return defaultFtpSettings();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Cannot open file \"" + path + "\".");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Error("Cannot read file \"" + path + "\".");
  std::vector<std::string> lines;
  for (const auto line : splitLines(std::string_view(bytes))) lines.push_back(ansiToUtf8(line));
  return parseFtpSettings(lines);
}

}  // namespace kelvo
