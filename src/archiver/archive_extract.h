// Extracting the members of an archive that match a mask into a folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "archiver/archiver_command.h"

namespace kelvo::archiver {

// Returns the member path MEMBER as folder names below the target, or an
// empty list when it would leave the target: an absolute path, a drive, or a
// ".." step. "." steps and doubled separators drop out; '\' separates like
// '/'.
std::vector<std::string> safeMemberPath(std::string_view member);

// Extracts every regular-file member of REQUEST.archive whose file name
// matches REQUEST.mask (Windows wildcard rules) into REQUEST.target, keeping
// the member's folders and replacing existing files, each in one step. No
// symbolic link below the target is followed: a link in a member's folders
// is refused, a link in a member's place is replaced by the member.
// Returns the paths written. Raises kelvo::Error, having written nothing,
// when the archive cannot be read, a matching member would leave the target
// (through a link too) or is not a regular file, or no member matches;
// raises when a file cannot be written (files written before it stay).
std::vector<std::string> extractMatching(const ExtractRequest& request);

}  // namespace kelvo::archiver
