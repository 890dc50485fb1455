// The file update run from log-in to sign-off: the marking pass judges
// every listing row once, the download pass fetches what it marked, the
// archive step extracts a fresh main executable.
#include "update/file_update_run.h"

#include <exception>
#include <iterator>

#include "access/ftp/ftp_download_file.h"
#include "platform/file_flush.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/stop_request.h"
#include "update/download_commits.h"
#include "update/file_names.h"
#include "update/ftp_login.h"
#include "update/release_keys.h"

namespace kelvo {

namespace {

// Hands the FTP client's events to the run's view for as long as the run
// lasts; whoever listened before (a tool, a test) still hears each event,
// after the view, and has the client to itself again afterwards.
class ProgressRoute {
 public:
  // AFTER_WORK runs after each transfer event has reached the view.
  ProgressRoute(FtpClient& ftp, FileRunView& view, TransferProgress& progress,
                std::function<void()> afterWork)
      : ftp_(ftp),
        after_work_(std::move(afterWork)),
        status_(ftp.OnStatus),
        begin_(ftp.OnWorkBegin),
        work_(ftp.OnWork),
        end_(ftp.OnWorkEnd) {
    ftp.OnStatus = [this, &view](FtpClient& sender, TFtpStatus status, const std::string& text) {
      view.showConnectionState(statusPanelText(status, text), statusResetsProgress(status));
      if (status_) status_(sender, status, text);
    };
    ftp.OnWorkBegin = [this, &view, &progress](FtpClient& sender, TWorkMode mode,
                                               std::int64_t expected) {
      view.transferBegan(progress.begin());
      if (begin_) begin_(sender, mode, expected);
    };
    ftp.OnWork = [this, &view, &progress](FtpClient& sender, TWorkMode mode, std::int64_t count) {
      view.showTransferProgress(progress.work(count));
      after_work_();
      if (work_) work_(sender, mode, count);
    };
    ftp.OnWorkEnd = [this, &view, &progress](FtpClient& sender, TWorkMode mode) {
      view.transferEnded(progress.end(mode));
      if (end_) end_(sender, mode);
    };
  }
  ~ProgressRoute() {
    ftp_.OnStatus = std::move(status_);
    ftp_.OnWorkBegin = std::move(begin_);
    ftp_.OnWork = std::move(work_);
    ftp_.OnWorkEnd = std::move(end_);
  }
  ProgressRoute(const ProgressRoute&) = delete;
  ProgressRoute& operator=(const ProgressRoute&) = delete;

 private:
  FtpClient& ftp_;
  std::function<void()> after_work_;
  FtpClient::StatusHandler status_;
  FtpClient::WorkBeginHandler begin_;
  FtpClient::WorkHandler work_;
  FtpClient::WorkEndHandler end_;
};

// Points ACTIVE at COMMITS for as long as it lives.
class ActiveCommits {
 public:
  ActiveCommits(DownloadCommits*& active, DownloadCommits& commits) : active_(active) {
    active_ = &commits;
  }
  ~ActiveCommits() { active_ = nullptr; }
  ActiveCommits(const ActiveCommits&) = delete;
  ActiveCommits& operator=(const ActiveCommits&) = delete;

 private:
  DownloadCommits*& active_;
};

}  // namespace

FileUpdateRun::FileUpdateRun(FileRunView& view, FtpClient& ftpupdate, PreparedSite& site,
                             FormatSettings settings)
    : pause(pauseMs),
      trust(buildPublicKeys()),
      view_(view),
      ftp_(ftpupdate),
      site_(site),
      settings_(settings),
      progress_(std::move(settings)) {}

FileRunOutcome FileUpdateRun::run() {
  outcome_ = {};
  view_.setStatusLine(" ");
  view_.clearRows();
  // A file that replaced its old copy while the next one downloads turns
  // green then, not only when that download ends.
  const ProgressRoute route(ftp_, view_, progress_, [this] {
    if (commits_ != nullptr) showCommits(commits_->takeFinished(), false);
  });
  // A run that was killed mid-download left its temporary file behind.
  removeFtpTemporaryFiles(".");

  setFtpLogin(ftp_, site_.data->catalog, readFtpSettings());
  if (!connect()) return outcome_;

  if (sizeEveryEntry) {
    openUpdateFolder(ftp_);
  } else {
    // Only downloads and their sizes need the binary type: it is set before
    // the first of them, and a listing needs no switch back and forth.
    ftp_.ChangeDir(kServerFolder);
  }
  if (site_.mainExecutablePresent) {
    std::vector<std::string> lines;
    ftp_.List(lines);
    view_.setListingLines(lines);
    if (admitRelease()) {
      markRows(lines);
      downloadRows();
      // Each download's data went to disk before it replaced the old copy;
      // their new names go in one flush. A name lost before it leaves the old
      // copy with its old time, and the next run fetches it again.
      if (outcome_.fetched) flushFolder(".");
      throwIfStopRequested();
      if (archiveStepDue(outcome_.fetched, outcome_.error, fileExists(site_.mainExecutable),
                         fileExists(kArchive))) {
        runArchiveStep();
      }
      acceptRelease();
    }
  }
  ftp_.Disconnect();
  return outcome_;
}

// Returns false when a keyed build refuses the release: nothing is fetched.
bool FileUpdateRun::admitRelease() {
  guard_ = makeReleaseGuard(trust);
  if (!guard_) return true;
  outcome_.releaseRefusal = guard_->admit(ftp_);
  if (!outcome_.releaseRefusal) return true;
  outcome_.error = true;
  view_.showMessage(*outcome_.releaseRefusal);
  return false;
}

void FileUpdateRun::runArchiveStep() {
  if (guard_) {
    // An archive that is not the signed one (changed on this disk, or left
    // from another release) is never extracted.
    if (const std::optional<std::string> problem = guard_->localFileProblem(kArchive)) {
      view_.showMessage(*problem);
      outcome_.archive = ArchiveOutcome::ArchiveRefused;
      outcome_.error = true;
      return;
    }
  }
  std::function<std::optional<std::string>(const std::string&)> executable_problem;
  if (guard_) {
    executable_problem = [this](const std::string& path) {
      return guard_->executableProblem(path);
    };
  }
  outcome_.archive =
      archiveStep(view_, site_.PROGR, site_.mainExecutable, pause, executable_problem);
  if (failed(*outcome_.archive)) outcome_.error = true;
}

void FileUpdateRun::acceptRelease() {
  // Only a run in which every check held raises the serial a later release
  // must reach.
  if (!guard_ || outcome_.error) return;
  try {
    guard_->accept();
  } catch (const std::exception& e) {
    outcome_.error = true;
    view_.showMessage(e.what());
  }
}

// Returns false when the connection could not be made.
bool FileUpdateRun::connect() {
  try {
    ftp_.Connect();
    return true;
  } catch (const Interrupted&) {
    throw;
  } catch (const std::exception& e) {
    outcome_.connectFailure = ftpConnectFailureMessage(e.what());
  }
  view_.showMessage(*outcome_.connectFailure);
  return false;
}

void FileUpdateRun::markRows(const std::vector<std::string>& lines) {
  // Each line is paired with the entry read from it: header, total and blank
  // lines give no entry.
  std::vector<std::optional<ListingItem>> entries =
      entriesByLine(lines.size(), ftp_.DirectoryListing());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    FileRowResult row;
    row.line = lines[i];
    row.item = std::move(entries[i]);
    if (row.item) {
      row.verdict = guardedVerdict(guard_.get(), row.item->fileName,
                                   markVerdict(*row.item, settings_).verdict);
    }
    view_.addRow(row.line);
    view_.setRowLamp(i, row.item && marksRed(row.verdict) ? RowLamp::Failed : RowLamp::Current);
    outcome_.rows.push_back(std::move(row));
  }
  view_.repaintRows();
}

void FileUpdateRun::downloadRows() {
  // Each download replaces its old copy on a worker while the next one
  // downloads; the rows hear how that went before the next row starts and
  // when the pass ends, on this thread, as the view wants. A stop leaves
  // the commits not yet begun undone.
  DownloadCommits commits;
  const ActiveCommits active(commits_, commits);
  for (std::size_t i = 0; i < outcome_.rows.size(); ++i) {
    throwIfStopRequested();
    showCommits(commits.takeFinished(), true);
    if (!outcome_.rows[i].item) continue;  // a line of no entry: nothing to fetch
    downloadRow(i, commits);
    // Once the connection is gone (the operator left, or the server hung
    // up) every further request could only fail.
    if (outcome_.error && !ftp_.Connected()) break;
  }
  showCommits(commits.finish(), true);
}

void FileUpdateRun::downloadRow(std::size_t row, DownloadCommits& commits) {
  FileRowResult& result = outcome_.rows[row];
  const ListingItem& item = *result.item;
  const std::string& name = item.fileName;
  view_.setFileLabel(name);
  if (result.verdict == FileVerdict::Refused) {
    // A server name that could reach outside the working folder is never
    // written; the operator is told which name it was.
    failRow(row, RowOutcome::Refused,
            "Nome de arquivo recusado, não será gravado nesta pasta: \"" + name + "\".");
    return;
  }
  if (sizeEveryEntry) {
    showSize(ftp_.Size(name));
  } else if (!fetches(result.verdict)) {
    showSize(item.size);
  }
  if (!fetches(result.verdict)) return;
  outcome_.fetched = true;
  try {
    view_.setRowLamp(row, RowLamp::Downloading);
    view_.repaintRows();
    std::string local = joinPath(".", name);
    std::unique_ptr<FtpDownloadFile> file = fetch(name, local);
    // Stamped once in place: a replacement lost before that is fetched again,
    // and so is one whose time cannot be set.
    commits.add(row, std::move(file), [local = std::move(local), time = item.modifiedDate] {
      setFileLastWriteTime(local, time);
    });
  } catch (const Interrupted&) {
    // An abandoned download is no failed one: its old copy stays, and the
    // run ends without a red row or a message.
    throw;
  } catch (const std::exception& e) {
    failRow(row, RowOutcome::Failed, e.what());
  }
}

void FileUpdateRun::showCommits(std::vector<DownloadCommit> commits, bool failuresToo) {
  if (failuresToo) {
    commits.insert(commits.begin(), std::make_move_iterator(heldFailures_.begin()),
                   std::make_move_iterator(heldFailures_.end()));
    heldFailures_.clear();
  }
  for (DownloadCommit& commit : commits) {
    if (commit.error) {
      // A failure's message may hold the operator up: never inside a transfer.
      if (failuresToo) {
        failRow(commit.row, RowOutcome::Failed, *commit.error);
      } else {
        heldFailures_.push_back(std::move(commit));
      }
      continue;
    }
    view_.setRowLamp(commit.row, RowLamp::Current);
    view_.repaintRows();
    outcome_.rows[commit.row].outcome = RowOutcome::Fetched;
  }
}

void FileUpdateRun::showSize(std::int64_t size) {
  progress_.setBytesToTransfer(static_cast<std::uint32_t>(size));
  view_.setBytesToTransfer(progress_.bytesToTransfer());
}

std::unique_ptr<FtpDownloadFile> FileUpdateRun::fetch(const std::string& name,
                                                      const std::string& local) {
  const std::unique_ptr<FtpDownloadCheck> check = guard_ ? guard_->downloadCheck(name) : nullptr;
  if (sizeEveryEntry) return ftp_.GetUncommitted(name, local, {}, check.get());
  if (ftp_.transferType() != FtpTransferType::Binary) {
    ftp_.setTransferType(FtpTransferType::Binary);
  }
  return ftp_.GetUncommitted(
      name, local, [this](std::int64_t size) { showSize(size); }, check.get());
}

void FileUpdateRun::failRow(std::size_t row, RowOutcome outcome, const std::string& message) {
  view_.setRowLamp(row, RowLamp::Failed);
  view_.repaintRows();
  outcome_.error = true;
  outcome_.rows[row].outcome = outcome;
  outcome_.rows[row].error = message;
  view_.showInformation(message);
}

}  // namespace kelvo
