// How the central catalogue connection's alias and parameters become the
// settings of a MariaDB connection.
#pragma once

#include <string>
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
};

// Returns the settings from ALIAS_PARAMS (the alias's NAME=VALUE lines)
// overridden by CONNECTION_PARAMS (the connection's own lines, such as the
// login). Names are compared without regard to letter case; within one list
// the last line of a name wins; unknown names are ignored. Throws
// kelvo::Error for a PORT or CONNECT TIMEOUT that is not a number.
CatalogSettings catalogSettings(const std::vector<std::string>& alias_params,
                                const std::vector<std::string>& connection_params);

}  // namespace kelvo
