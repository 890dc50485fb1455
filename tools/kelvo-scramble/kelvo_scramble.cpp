// Turns a plain secret into the scrambled form the updater stores: the
// central catalogue login (a CMake cache option) or an FTP password (a
// column of the catalogue's principal table).
#include <iostream>
#include <string>
#include <string_view>

#include "access/catalogue/desembaralha.h"
#include "platform/codepage.h"
#include "platform/hex_text.h"

namespace {

constexpr std::string_view kUsage =
    "usage: kelvo-scramble [--key DIGIT] [--login | --ftp] VALUE\n"
    "  --login  (default) scramble for the central catalogue login; prints the\n"
    "           hexadecimal bytes to give KELVO_MYSQL_USER_SCRAMBLED or\n"
    "           KELVO_MYSQL_PASSWORD_SCRAMBLED\n"
    "  --ftp    scramble an FTP password; prints an SQL expression to store in\n"
    "           principal.senha_ftp or principal.senha_ftp2\n"
    "  --key    the key digit, 1 to 9 (default 9); 0 would store the value as is\n";

int fail(const std::string& message) {
  std::cerr << "kelvo-scramble: " << message << "\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int key = 9;
  bool ftp = false;
  std::string value;
  bool have_value = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--key" && i + 1 < argc) {
      const std::string_view digit = argv[++i];
      if (digit.size() != 1 || digit[0] < '0' || digit[0] > '9') {
        return fail("the key must be one digit");
      }
      key = digit[0] - '0';
    } else if (arg == "--login") {
      ftp = false;
    } else if (arg == "--ftp") {
      ftp = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (!have_value && (arg.empty() || arg[0] != '-')) {
      value = arg;
      have_value = true;
    } else {
      return fail("unexpected argument '" + std::string(arg) + "'");
    }
  }
  if (!have_value || value.empty()) return fail("no value to scramble");

  try {
    if (ftp) {
      const std::string scrambled =
          kelvo::utf16ToUtf8(kelvo::Embaralha(kelvo::utf8ToUtf16(value), key));
      if (kelvo::Desembaralha(scrambled) != value) {
        return fail("the value does not survive scrambling with this key");
      }
      std::cout << "CONVERT(X'" << kelvo::toHex(scrambled) << "' USING utf8mb4)\n";
    } else {
      if (kelvo::ansiToUtf8(kelvo::utf8ToAnsi(value)) != value) {
        return fail("the value holds characters the ANSI code page (" + kelvo::ansiCodePageName() +
                    ") lacks");
      }
      const std::string scrambled = kelvo::utf8ToAnsi(kelvo::EmbaralhaAnsi(value, key));
      std::cout << kelvo::toHex(scrambled) << "\n";
    }
  } catch (const std::exception& error) {
    return fail(error.what());
  }
  return 0;
}
