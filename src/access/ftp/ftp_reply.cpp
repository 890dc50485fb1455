// Reading FTP replies: codes, text, feature lists, sizes and PASV addresses.
#include "access/ftp/ftp_reply.h"

#include <algorithm>
#include <charconv>

#include "platform/ascii.h"

namespace kelvo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Returns TEXT without the blanks, tabs and line ends a reply's words are
// padded with.
std::string_view trim(std::string_view text) { return trimAnyOf(text, " \t\r\n"); }

std::string withoutCode(const std::string& line, int code) {
  if (code != 0 && ftpReplyCode(line) == code) {
    if (line.size() == 3) return {};
    if (line[3] == ' ' || line[3] == '-') return line.substr(4);
  }
  return line;
}

}  // namespace

std::string FtpReply::text() const {
  std::string out;
  for (const std::string& line : lines) out += withoutCode(line, code) + "\n";
  return out;
}

std::string FtpReply::firstLineText() const {
  return lines.empty() ? std::string() : withoutCode(lines.front(), code);
}

int ftpReplyCode(std::string_view line) {
  if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2])) return 0;
  if (line.size() > 3 && isDigit(line[3])) return 0;
  return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

bool endsFtpReply(std::string_view line, int code) {
  return ftpReplyCode(line) == code && (line.size() == 3 || line[3] == ' ');
}

bool opensMultiLineFtpReply(std::string_view line) {
  return ftpReplyCode(line) != 0 && line.size() > 3 && line[3] == '-';
}

void requireFtpReply(const FtpReply& reply, std::initializer_list<int> accepted) {
  if (std::find(accepted.begin(), accepted.end(), reply.code) == accepted.end()) {
    throw FtpReplyError(reply.code, reply.text());
  }
}

std::vector<std::string> ftpFeatures(const FtpReply& reply) {
  std::vector<std::string> features;
  if ((reply.code != 211 && reply.code != 221) || reply.lines.size() < 3) return features;
  for (std::size_t i = 1; i + 1 < reply.lines.size(); ++i) {
    const std::string_view line = trim(reply.lines[i]);
    if (!line.empty()) features.emplace_back(line);
  }
  return features;
}

bool ftpOffers(const std::vector<std::string>& features, std::string_view name) {
  for (const std::string& feature : features) {
    const std::string_view word = std::string_view(feature).substr(0, feature.find(' '));
    if (equalsNoCase(word, name)) return true;
  }
  return false;
}

std::int64_t ftpSizeFromReply(const FtpReply& reply) {
  if (reply.code != 213) return -1;
  const std::string whole = reply.text();
  std::string_view text = trim(whole);
  const std::size_t blank = text.find(' ');
  if (blank != std::string_view::npos) text = trim(text.substr(blank + 1));
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  // A negative size from a broken or hostile server is no size at all.
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
    return -1;
  }
  return value;
}

std::optional<FtpEndpoint> parsePasvReply(std::string_view line) {
  std::string_view numbers;
  const std::size_t open = line.find('(');
  const std::size_t close = line.find(')', open == std::string_view::npos ? 0 : open);
  if (open != std::string_view::npos && close != std::string_view::npos) {
    numbers = line.substr(open + 1, close - open - 1);
  } else {
    const std::size_t blank = trim(line).rfind(' ');
    numbers = trim(line);
    if (blank != std::string_view::npos) numbers = numbers.substr(blank + 1);
  }
  int values[6];
  std::size_t count = 0;
  while (count < 6) {
    numbers = trim(numbers);
    int value = -1;
    const auto [end, error] =
        std::from_chars(numbers.data(), numbers.data() + numbers.size(), value);
    if (error != std::errc() || value < 0 || value > 255) return std::nullopt;
    values[count++] = value;
    numbers.remove_prefix(static_cast<std::size_t>(end - numbers.data()));
    numbers = trim(numbers);
    if (count < 6) {
      if (numbers.empty() || numbers.front() != ',') return std::nullopt;
      numbers.remove_prefix(1);
    }
  }
  if (!trim(numbers).empty() && trim(numbers) != ".") return std::nullopt;
  FtpEndpoint endpoint;
  endpoint.address = std::to_string(values[0]) + "." + std::to_string(values[1]) + "." +
                     std::to_string(values[2]) + "." + std::to_string(values[3]);
  endpoint.port = static_cast<std::uint16_t>(values[4] * 256 + values[5]);
  return endpoint;
}

bool isPrivateIpv4(std::string_view address) {
  if (address.starts_with("127") || address.starts_with("10.") || address.starts_with("169.254") ||
      address.starts_with("192.168")) {
    return true;
  }
  if (!address.starts_with("172.")) return false;
  int second = 0;
  const std::string_view rest = address.substr(4);
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), second);
  return error == std::errc() && end != rest.data() + rest.size() && *end == '.' && second >= 16 &&
         second <= 31;
}

std::string passiveDataAddress(const std::string& offered, const std::string& controlPeer) {
  return isPrivateIpv4(offered) && !isPrivateIpv4(controlPeer) ? controlPeer : offered;
}

}  // namespace kelvo
