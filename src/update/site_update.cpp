// The whole update, composed once.
#include "update/site_update.h"

#include "platform/stop_request.h"
#include "update/failure_gate.h"
#include "update/restore_point.h"
#include "update/site_servers.h"

namespace kelvo {

const char* finalStatusLine(FinalStatus status) {
  switch (status) {
    case FinalStatus::Success:
      return kStatusSuccess;
    case FinalStatus::Retry:
      return kStatusRetry;
    case FinalStatus::Interrupted:
      return kStatusInterrupted;
    case FinalStatus::Support:
      break;
  }
  return kStatusSupport;
}

SiteUpdate::SiteUpdate(AliasRegistry& aliases, UpdateOptions options)
    : aliases_(aliases), options_(std::move(options)) {
  // A wrong backup folder is refused before anything is downloaded.
  requireAbsoluteBackupFolder(options_.backupFolder);
}

const PreparedSite& SiteUpdate::prepare(PreparationView& view, bool confirmed) {
  site_ = kelvo::prepare(view, aliases_, confirmed, options_.api, options_.site);
  script_failed_ = false;
  return site_;
}

void SiteUpdate::tickAlias(std::size_t row, bool ticked) {
  if (row < site_.aliases.size()) site_.aliases[row].ticked = ticked;
}

UpdateResult SiteUpdate::update(FileRunView& view, FtpClient& ftp) {
  UpdateResult result = updateSite(site_, view, ftp, options_, script_failed_);
  // The wait screen's tag stays 1 once a script failed, so a later update
  // from the same screen ends with errors too.
  if (result.scripts && result.scripts->failed()) script_failed_ = true;
  return result;
}

namespace {

// Ends an update that a stop request cut short: a polite sign-off when the
// connection is still up, the progress reset and the status line.
UpdateResult interruptedUpdate(UpdateResult& result, FileRunView& view, FtpClient& ftp) {
  try {
    if (ftp.Connected()) ftp.Disconnect();
  } catch (const std::exception&) {
    // Leaving anyway: the connection closes with the client.
  }
  view.resetProgress();
  result.status = FinalStatus::Interrupted;
  view.setStatusLine(finalStatusLine(*result.status));
  view.setCounter("");
  view.setFileLabel("");
  return std::move(result);
}

}  // namespace

UpdateResult updateSite(PreparedSite& site, FileRunView& view, FtpClient& ftp,
                        const UpdateOptions& options, bool script_failed_before) {
  UpdateResult result;
  configureFtpClient(ftp, options.site);
  FileUpdateRun files(view, ftp, site, options.settings);
  if (options.pause) files.pause = options.pause;
  files.sizeEveryEntry = options.sizeEveryEntry;
  files.trust.publicKeys = options.publicKeys;
  try {
    result.files = files.run();
  } catch (const Interrupted&) {
    return interruptedUpdate(result, view, ftp);
  }
  if (result.files.connectFailure) return result;

  if (!result.files.error && stopRequested()) return interruptedUpdate(result, view, ftp);
  result.status = result.files.error ? FinalStatus::Retry : FinalStatus::Success;
  if (!result.files.error) {
    // A folder given to the update wins over the site settings' one.
    const std::optional<std::string>& backup =
        options.backupFolder ? options.backupFolder : options.site.backupFolder;
    ScriptRun scripts(*site.data, site.tickedAliases(), options.failureClock, backup);
    scripts.publicKeys = options.publicKeys;
    view.showWaitScreen(scripts);
    result.scripts = scripts.result();
    if (result.scripts->interrupted) return interruptedUpdate(result, view, ftp);
    // A failed script needs the maker's support; a catalogue or client
    // database that failed around the scripts, or a backup that could not be
    // made, is for the operator to retry.
    if (script_failed_before || result.scripts->failed()) {
      result.status = FinalStatus::Support;
    } else if (result.scripts->runError || result.scripts->backupFailed()) {
      result.status = FinalStatus::Retry;
    }
  }
  view.resetProgress();
  view.setStatusLine(finalStatusLine(*result.status));
  view.setCounter("");
  view.setFileLabel("");
  return result;
}

WholeUpdateResult SiteUpdate::run(PreparationView& preparation, FileRunView& view, FtpClient& ftp,
                                  bool confirmed) {
  WholeUpdateResult result;
  result.failureRecords = failureRecords();
  // Unattended, an operator who did not confirm gets no preparation at all.
  if (!result.failureRecords.empty() || !confirmed) return result;
  result.preparation = prepare(preparation, confirmed).outcome;
  if (site_.ready()) result.update = update(view, ftp);
  return result;
}

}  // namespace kelvo
