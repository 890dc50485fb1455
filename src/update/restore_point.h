// The restore point of a client database: a backup made in the site's
// backup folder just before the first of its pending scripts runs, so that
// support can give the database back as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/interbase/ib_client_library.h"
#include "platform/tdatetime.h"

namespace kelvo {

// Raises an Error unless FOLDER, the site's backup folder, is an absolute
// path: a relative one would depend on the folder the update started in.
void requireAbsoluteBackupFolder(const std::optional<std::string>& folder);

// Returns the backup's file name for ALIAS at WHEN: the alias (made safe
// for a file name), "_", the date and time as yyyy-mm-dd_hh-nn-ss, and
// ".fbk"; from COPY 2 on, "_" + COPY before the extension.
std::string restorePointName(std::string_view alias, TDateTime when, int copy = 1);

// Returns the line that names the backup PATH to the operator and support,
// below the failure record's name.
std::string restorePointLine(const std::string& path);

// Backs up the database at LOCATION (alias ALIAS) into FOLDER, logging in
// with PARAMS, and returns the backup's path. The backup appears under its
// name only once complete, and never under a name already taken: the next
// copy number is used instead. Raises an Error naming the database and the
// folder when the backup cannot be made; nothing is left behind then.
std::string makeRestorePoint(const IbClientApi& api, const std::vector<std::string>& params,
                             const std::string& alias, const std::string& location,
                             const std::string& folder, TDateTime when);

}  // namespace kelvo
