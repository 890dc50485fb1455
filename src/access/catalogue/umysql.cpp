// The scrambled central login comes from the build's deployment settings,
// spelled as hexadecimal bytes of the ANSI code page so that any byte value
// survives CMake and the generated header's string literal.
#include "access/catalogue/umysql.h"

#include <string_view>

#include "access/deployment.h"
#include "platform/codepage.h"

namespace kelvo {

namespace {

constexpr int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr bool isHexBytes(std::string_view hex) {
  if (hex.size() % 2 != 0) return false;
  for (char c : hex) {
    if (hexDigit(c) < 0) return false;
  }
  return true;
}

static_assert(isHexBytes(kMysqlUserScrambled),
              "KELVO_MYSQL_USER_SCRAMBLED must be hexadecimal bytes");
static_assert(isHexBytes(kMysqlPasswordScrambled),
              "KELVO_MYSQL_PASSWORD_SCRAMBLED must be hexadecimal bytes");

std::string fromHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(hexDigit(hex[i]) * 16 + hexDigit(hex[i + 1]));
  }
  return ansiToUtf8(bytes);
}

}  // namespace

std::string UsuarioMySQL() { return fromHex(kMysqlUserScrambled); }

std::string SenhaMySQL() { return fromHex(kMysqlPasswordScrambled); }

}  // namespace kelvo
