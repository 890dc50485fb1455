// Hexadecimal digits of bytes.
#include "platform/hex_text.h"

namespace kelvo {

namespace {

std::string hexDigits(std::string_view bytes, const char (&kDigits)[17]) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string toHex(std::string_view bytes) { return hexDigits(bytes, "0123456789ABCDEF"); }

std::string toLowerHex(std::string_view bytes) { return hexDigits(bytes, "0123456789abcdef"); }

std::optional<std::string> fromHex(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(digits.size() / 2);
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const int high = digitValue(digits[i]);
    const int low = digitValue(digits[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

}  // namespace kelvo
