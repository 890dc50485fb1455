// The release manifest: the maker's list of what the update folder holds,
// signed as a whole (the signature lies beside it in kelvo-manifest.sig).
//
//   kelvo-manifest 1
//   program QUARVESSA
//   serial 42
//   expires 2027-01-31T12:00:00Z
//   file 1048576 <64 hex digits of SHA-256> Sys_Tavrela.rar
//   file 2048 <...> name with blanks.dll
//   executable 3145728 <...>
//
// One LF ends every line, the name takes the rest of its line, the
// executable line (what the archive's Sys_Tavrela.exe must be) is optional
// and comes last. Nothing else is accepted: what is signed is read in one
// way only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "update/own_files.h"  // the manifest's names

namespace kelvo {

// A manifest or signature longer than this is refused unread.
inline constexpr std::size_t kManifestLimit = 1024 * 1024;

// A manifest that does not read: its message names the line and the fault.
class ManifestError : public Error {
 public:
  using Error::Error;
};

// A file's size and SHA-256 (32 bytes).
struct FileFingerprint {
  std::uint64_t size = 0;
  std::string sha256;
  bool operator==(const FileFingerprint&) const = default;
};

struct ManifestFile {
  std::string name;
  FileFingerprint fingerprint;
  bool operator==(const ManifestFile&) const = default;
};

struct ReleaseManifest {
  std::string program;
  std::uint64_t serial = 0;
  std::int64_t expires = 0;  // seconds since 1970-01-01 00:00 UTC
  std::vector<ManifestFile> files;
  std::optional<FileFingerprint> executable;
  bool operator==(const ReleaseManifest&) const = default;

  // Returns the entry of NAME (exact spelling), or null.
  const ManifestFile* file(std::string_view name) const;
};

// Returns the manifest TEXT holds; raises ManifestError otherwise.
ReleaseManifest parseReleaseManifest(std::string_view text);

// Returns MANIFEST as its text, the one form parseReleaseManifest reads.
std::string formatReleaseManifest(const ReleaseManifest& manifest);

// Returns SECONDS (since 1970, UTC) as "YYYY-MM-DDTHH:MM:SSZ".
std::string utcTimeText(std::int64_t seconds);

// Returns the seconds since 1970 (UTC) of TEXT in that form, or nothing.
std::optional<std::int64_t> parseUtcTime(std::string_view text);

}  // namespace kelvo
