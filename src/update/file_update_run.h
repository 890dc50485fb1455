// The file update run ("&Atualizar agora"): log in to the FTP server,
// mirror the folder "quarvessa" by modification time and re-extract the
// main executable from its archive. Its outcome is returned; the wait
// screen and the final status line follow in the whole update.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/catalog_connection.h"
#include "access/ftp/ftp_client.h"
#include "platform/regional_settings.h"
#include "update/archive_step.h"
#include "update/download_commits.h"
#include "update/file_marking.h"
#include "update/file_run_view.h"
#include "update/prepared_site.h"
#include "update/release_guard.h"
#include "update/transfer_progress.h"

namespace kelvo {

// What became of one listing row.
enum class RowOutcome {
  Current,  // left alone: current, never fetched, or a line of no entry
  Fetched,  // downloaded and stamped
  Failed,   // its download failed
  Refused,  // a name that could reach outside the working folder
};

struct FileRowResult {
  std::string line;                            // the raw listing line
  std::optional<ListingItem> item;             // the entry read from it
  FileVerdict verdict = FileVerdict::Current;  // the marking pass's judgement
  RowOutcome outcome = RowOutcome::Current;
  std::string error;  // why it failed, as the operator was told
};

struct FileRunOutcome {
  // The message shown when the connection could not be made: the update
  // ends there, and the process with exit code 2.
  std::optional<std::string> connectFailure;
  bool error = false;                     // a file step failed: no scripts, "tente denovo"
  bool fetched = false;                   // something needed a download
  std::optional<ArchiveOutcome> archive;  // when the archive step ran
  // Why a keyed build refused the release (manifest, signature, programme,
  // expiry, serial): nothing was downloaded.
  std::optional<std::string> releaseRefusal;
  std::vector<FileRowResult> rows;  // one per listing line, in order
};

class FileUpdateRun {
 public:
  // A run shown on VIEW that drives FTPUPDATE for SITE (prepared): the FTP
  // password from its open catalogue, the archiver below its PROGR.
  FileUpdateRun(FileRunView& view, FtpClient& ftpupdate, PreparedSite& site,
                FormatSettings settings = regionalSettings());

  // Steps 1 to 13 of the run, from the status line's reset to the
  // sign-off. A connect failure ends it with the outcome's connectFailure
  // set. Failures the run does not expect (settings file, password query,
  // folder change, listing) are raised to the caller, the run stopping
  // where it stood. A stop request raises Interrupted before the next row
  // or while a read waits: the download in hand is abandoned, its old copy
  // kept, and so are those of downloads whose commit had not begun.
  // Leftover temporary downloads are removed first.
  FileRunOutcome run();

  // Waits between the checks that the old main executable is gone (1000 ms
  // in the program; tests may shorten it).
  std::function<void(int milliseconds)> pause;

  // True: the server is asked the size of every listed entry, fetched or
  // not, so that the screens' gauge and counter know each file's total.
  // False: only the fetched files' sizes are asked, each on the way to its
  // download, and the others' come from the listing; over a slow line that
  // saves a round trip per listed entry. The binary type, which only sizes
  // and downloads need, is then set just before the first download.
  bool sizeEveryEntry = true;
  // The keys and state the release is checked against (the build's keys;
  // without keys nothing is checked and nothing changes).
  ReleaseTrust trust;

 private:
  bool connect();
  bool admitRelease();
  void runArchiveStep();
  void acceptRelease();
  void markRows(const std::vector<std::string>& lines);
  void downloadRows();
  void downloadRow(std::size_t row, DownloadCommits& commits);
  // Shows finished COMMITS on their rows; failures wait, unless FAILURES_TOO,
  // for a moment outside a transfer.
  void showCommits(std::vector<DownloadCommit> commits, bool failuresToo);
  void showSize(std::int64_t size);
  std::unique_ptr<FtpDownloadFile> fetch(const std::string& name, const std::string& local);
  void failRow(std::size_t row, RowOutcome outcome, const std::string& message);

  FileRunView& view_;
  FtpClient& ftp_;
  PreparedSite& site_;
  FormatSettings settings_;
  TransferProgress progress_;
  FileRunOutcome outcome_;
  DownloadCommits* commits_ = nullptr;        // the download pass's, while it lasts
  std::vector<DownloadCommit> heldFailures_;  // failed commits not shown yet
  std::unique_ptr<ReleaseGuard> guard_;
};

}  // namespace kelvo
