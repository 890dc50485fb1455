// The manifest of a release folder as the maker signs it.
#pragma once

#include <cstdint>
#include <string>

#include "update/release_manifest.h"

namespace kelvo::sign {

// Returns the manifest of every regular file in FOLDER (the manifest and its
// signature left out), in name order, with the executable line taken from
// the member Sys_Tavrela.exe of FOLDER's Sys_Tavrela.rar when it holds one.
// Raises kelvo::Error when a file cannot be read, or the archive holds no
// such member.
ReleaseManifest folderManifest(const std::string& folder, const std::string& program,
                               std::uint64_t serial, std::int64_t expires);

// Returns the size and SHA-256 of the file PATH; raises kelvo::Error when it
// cannot be read.
FileFingerprint fileFingerprint(const std::string& path);

}  // namespace kelvo::sign
