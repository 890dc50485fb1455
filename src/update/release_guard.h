// What a keyed build asks of a release before and while the file run takes
// it: a manifest signed by one of the maker's keys, a download only of what
// it names and only as it names it, an archive and an extracted executable
// that match it, and no release older than the last one accepted.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_download_check.h"
#include "update/file_marking.h"

namespace kelvo {

// What the checks trust and where they keep what they remember.
struct ReleaseTrust {
  explicit ReleaseTrust(std::vector<std::string> keys = {}) : publicKeys(std::move(keys)) {}

  std::vector<std::string> publicKeys;  // raw Ed25519 keys; none: nothing is checked
  std::string program = "QUARVESSA";    // the programme code the manifest must name
  // The accepted serial's file (releaseSerialPath() when empty).
  std::optional<std::string> serialPath;
  // Seconds since 1970, UTC (the system clock when empty).
  std::function<std::int64_t()> now;
};

class ReleaseGuard {
 public:
  virtual ~ReleaseGuard() = default;
  // Fetches the manifest and its signature from FTP's current folder and
  // checks them; returns the message that says why the release is refused,
  // or nothing when it is admitted.
  virtual std::optional<std::string> admit(FtpClient& ftp) = 0;
  // Returns true when the admitted manifest names NAME.
  virtual bool lists(const std::string& name) const = 0;
  // Returns the check a download of NAME (a listed name) must pass.
  virtual std::unique_ptr<FtpDownloadCheck> downloadCheck(const std::string& name) const = 0;
  // Returns why the local file NAME is not the manifest's, or nothing.
  virtual std::optional<std::string> localFileProblem(const std::string& name) const = 0;
  // Returns why the extracted main executable PATH is not the one the
  // manifest names, or nothing.
  virtual std::optional<std::string> executableProblem(const std::string& path) const = 0;
  // Keeps the admitted serial, once every check of the run held; raises
  // kelvo::Error when it cannot be kept.
  virtual void accept() = 0;
};

// Returns VERDICT, or Unlisted when GUARD (if any) does not name NAME; a
// refused or excluded name keeps its verdict.
inline FileVerdict guardedVerdict(const ReleaseGuard* guard, const std::string& name,
                                  FileVerdict verdict) {
  const bool judged = verdict != FileVerdict::Refused && verdict != FileVerdict::Excluded;
  return guard != nullptr && judged && !guard->lists(name) ? FileVerdict::Unlisted : verdict;
}

// Returns the guard of TRUST, or null when TRUST carries no key (the update
// then checks nothing). Raises kelvo::Error for keys in a build that cannot
// check signatures.
std::unique_ptr<ReleaseGuard> makeReleaseGuard(const ReleaseTrust& trust);

}  // namespace kelvo
