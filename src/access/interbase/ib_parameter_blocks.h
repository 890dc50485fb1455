// The parameter blocks of an attach and of a transaction start, built from
// the "name=value" lines and parameter names the connection objects hold.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// Returns the database parameter block (version 1) for LINES such as
// "user_name=ROOT" and "password=471806"; also understood: lc_ctype and
// sql_role_name. Values are sent in the ANSI code page. Raises an Error
// naming an unknown parameter or a value longer than 255 bytes.
std::string buildDatabaseParameterBlock(const std::vector<std::string>& lines);

// Returns the service parameter block (version 2) of a service manager
// attach for the same LINES: only the login (user_name, password) is sent,
// the rest means nothing to a service. Same errors as above.
std::string buildServiceAttachBlock(const std::vector<std::string>& lines);

// Returns the transaction parameter block (version 3) for NAMES such as
// "read_committed" or "no_savepoint"; empty for no names, which lets the
// server apply its defaults. Raises an Error naming an unknown parameter.
std::string buildTransactionParameterBlock(const std::vector<std::string>& names);

}  // namespace kelvo
