// The FTP settings of an update: the optional file atualiza.cfg in the
// working folder, or the built-in defaults.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// The settings file's name in the working folder.
inline constexpr const char* kAtualizaCfg = "atualiza.cfg";

struct FtpSettings {
  std::string host;
  std::uint16_t port = 21;
  bool passive = true;
  // True when the password comes from column senha_ftp2 instead of senha_ftp.
  bool secondPassword = false;

  // Returns the column of table principal that holds the scrambled password.
  const char* passwordColumn() const { return secondPassword ? "senha_ftp2" : "senha_ftp"; }
};

// Returns the settings without a file: the deployment's FTP host, port 21,
// passive mode, column senha_ftp.
FtpSettings defaultFtpSettings();

// Returns the settings of the file's LINES (UTF-8). Line 1 is the host as
// written; line 2 the port, a decimal number (raises kelvo::Error "'%s' is
// not a valid integer value" otherwise, or "'%s' is not a valid port number"
// outside 0..65535); line 3 "FALSE" in any letter case selects active mode;
// any text on line 4 selects senha_ftp2. Missing lines read as empty.
FtpSettings parseFtpSettings(const std::vector<std::string>& lines);

// Returns the settings of the file PATH (ANSI code page) when it exists,
// else the defaults. Raises kelvo::Error when it exists but cannot be read.
FtpSettings readFtpSettings(const std::string& path = kAtualizaCfg);

// Returns TEXT as an integer the way the settings read numbers: optional
// blanks before, an optional sign, decimal digits. Raises kelvo::Error
// "'TEXT' is not a valid integer value" otherwise.
long long toInteger(std::string_view text);

}  // namespace kelvo
