// A backup of one client database through the service manager of the
// server that holds it, in the format gbak restores.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "access/interbase/ib_client_library.h"

namespace kelvo {

// Where a database's backup is asked for: the service manager of the
// server that holds it, and the database's name as that server knows it.
struct IbServiceTarget {
  std::string service;   // "service_mgr" (embedded), or "host:service_mgr"
  std::string database;  // the path on that server
  bool operator==(const IbServiceTarget&) const = default;
};

// Returns the target of LOCATION, a database name as an attach takes it:
// a path without host is the embedded engine's, "host:path" (the host
// possibly "host/port") that server's. Raises an Error for an empty name and
// for the URL forms ("inet://..."), which this system does not back up.
IbServiceTarget serviceTargetOf(const std::string& location);

// Backs up the database at LOCATION, logging in with the "name=value" lines
// PARAMS (user_name, password) as the connection does. The server streams
// the backup back and WRITE receives its bytes in order, so the file is
// written by this process, where it chooses. An error of the server (a
// database it cannot open, a refused login) raises its IbError; an error
// raised by WRITE passes through and abandons the backup.
void backupDatabase(const IbClientApi& api, const std::vector<std::string>& params,
                    const std::string& location,
                    const std::function<void(std::string_view bytes)>& write);

}  // namespace kelvo
