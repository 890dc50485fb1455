// The start-up gate's search: the failure records of earlier script runs
// that lie in the working folder and refuse every update while they do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// The mask that recognises a failure record, matched by the Windows
// wildcard rules.
inline constexpr const char* kFailureRecordMask = "SCRIPT_ERRO*.*";

// Returns the names of the working folder's entries of every kind (files,
// folders, hidden ones) that match MASK, without those that begin with ".",
// in the order the system lists them.
std::vector<std::string> workingFolderNames(std::string_view mask);

// Returns the failure records in the working folder, sorted without regard
// to letter case; the first one is the record the gate names.
std::vector<std::string> failureRecords();

}  // namespace kelvo
