// How the central catalogue connection's alias and parameters become the
// settings of a MariaDB connection.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct CatalogSettings {
  std::string host;               // SERVER NAME
  unsigned port = 0;              // PORT (0: the client library's default)
  std::string database;           // DATABASE NAME
  std::string user;               // USER NAME
  std::string password;           // PASSWORD
  std::string socket;             // SOCKET (local socket file, used with host "localhost")
  unsigned connect_timeout = 15;  // CONNECT TIMEOUT, in seconds
  // READ TIMEOUT and WRITE TIMEOUT, in seconds: a catalogue that stops
  // answering fails the call instead of holding the update.
  unsigned read_timeout = 60;
  unsigned write_timeout = 60;
  // TLS (REQUIRED or OFF; REQUIRED in either list wins) and TLS CA FILE (an
  // absolute path): an encrypted connection to a server whose certificate
  // chains to that file and names SERVER NAME, or none at all.
  bool tls = false;
  std::string tls_ca_file;
};

// Returns true when NAME (letter case ignored) is one of the settings above
// ("SERVER NAME", "PORT", "DATABASE NAME", "USER NAME", "PASSWORD", "SOCKET",
// "CONNECT TIMEOUT", "READ TIMEOUT", "WRITE TIMEOUT", "TLS", "TLS CA FILE").
bool isCatalogSetting(std::string_view name);

// Returns the settings from ALIAS_PARAMS (the alias's NAME=VALUE lines)
// overridden by CONNECTION_PARAMS (the connection's own lines, such as the
// login). Names are trimmed of blanks (values are taken as they stand) and
// compared without regard to letter case; within one list the last line of a
// name wins; other names (an engine's own alias parameters) are ignored: the
// alias file reports the names it does not know. Throws
// kelvo::Error for a PORT or CONNECT TIMEOUT that is not a number, a TLS
// that is neither REQUIRED nor OFF, a TLS CA FILE that is not absolute.
CatalogSettings catalogSettings(const std::vector<std::string>& alias_params,
                                const std::vector<std::string>& connection_params);

}  // namespace kelvo
