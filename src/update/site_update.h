// One update of a customer site, composed once for every front end: the
// gate, the preparation, the file run, the script run and the final status
// line. A front end supplies its views and reads the results; the screens
// call the stages from their events, the command line one after another.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_registry.h"
#include "access/ftp/ftp_client.h"
#include "access/interbase/ib_client_library.h"
#include "platform/regional_settings.h"
#include "update/file_update_run.h"
#include "update/preparation.h"
#include "update/release_keys.h"
#include "update/script_run.h"
#include "update/site_settings.h"

namespace kelvo {

// Final status lines.
inline constexpr const char* kStatusSuccess = "Atualização finalizada com sucesso.";
inline constexpr const char* kStatusRetry =
    "Atualização finalizada com erros, feche os aplicativos e tente denovo.";
inline constexpr const char* kStatusSupport =
    "Atualização finalizada com erros, necessário contactar Orvalis Sistemas.";
inline constexpr const char* kStatusInterrupted =
    "Atualização interrompida: a transferência em curso foi abandonada e o script em curso "
    "desfeito.";

// How an update ended, as its final status line says.
enum class FinalStatus {
  Success,  // nothing failed
  Retry,    // a file step failed: close the applications and try again
  Support,  // a script failed: the maker's support is needed
  // A stop was requested: the download in hand was abandoned (its old copy
  // kept), the script in hand rolled back; nothing failed.
  Interrupted,
};

// Returns the final status line of STATUS.
const char* finalStatusLine(FinalStatus status);

// What one "&Atualizar agora" did.
struct UpdateResult {
  FileRunOutcome files;
  std::optional<ScriptRunResult> scripts;  // when the wait screen was shown
  // None when the FTP connection could not be made: the update ended there.
  std::optional<FinalStatus> status;
};

// What the unattended update did, from the gate to the final status.
struct WholeUpdateResult {
  std::vector<std::string> failureRecords;  // the gate refused the update when not empty
  PreparationOutcome preparation = PreparationOutcome::NotConfirmed;
  std::optional<UpdateResult> update;  // after a successful preparation
};

// The settings a front end or a test may change.
struct UpdateOptions {
  FormatSettings settings = regionalSettings();
  std::shared_ptr<const IbClientApi> api;  // the client library; the system's when null
  // Between the archive step's checks; the real 1000 ms pause when empty.
  std::function<void(int milliseconds)> pause;
  FailureClock failureClock;  // the failure record's date and time
  // The site's backup folder (an absolute path): each client database is
  // backed up there before its first pending script. No backup when empty.
  std::optional<std::string> backupFolder;
  SiteSettings site;  // the waits of kelvoupdate.ini
  // Whether the file run asks the size of every listed entry (the screens'
  // gauge) or only of the files it fetches (FileUpdateRun::sizeEveryEntry).
  bool sizeEveryEntry = true;
  // The maker's keys releases and scripts are checked against; none: no
  // signature is checked.
  std::vector<std::string> publicKeys = buildPublicKeys();
};

// "&Atualizar agora" on the prepared SITE: the file run on FTP, then, when
// no file step failed, the wait screen's script run, then the progress
// reset and the final status line on VIEW. SCRIPT_FAILED_BEFORE tells that
// a script failed in an earlier update of the same screen (the wait
// screen's tag is still 1). Failures the runs do not expect are raised, the
// update stopping where it stood. A stop request ends it at the next safe
// point with the status Interrupted.
UpdateResult updateSite(PreparedSite& site, FileRunView& view, FtpClient& ftp,
                        const UpdateOptions& options, bool script_failed_before = false);

class SiteUpdate {
 public:
  // An update of the site in the working folder, resolving aliases through
  // ALIASES.
  explicit SiteUpdate(AliasRegistry& aliases, UpdateOptions options = {});

  // Replaces the waits of kelvoupdate.ini before the preparation.
  void setSiteSettings(const SiteSettings& settings) { options_.site = settings; }

  // The preparation (the main screen's first showing).
  const PreparedSite& prepare(PreparationView& view, bool confirmed);

  // "&Atualizar agora" on the prepared site (updateSite).
  UpdateResult update(FileRunView& view, FtpClient& ftp);

  // The whole update in a row: the gate (a failure record in the working
  // folder refuses it), the operator's confirmation (without it nothing
  // else runs), the preparation, and the update when it is ready.
  WholeUpdateResult run(PreparationView& preparation, FileRunView& view, FtpClient& ftp,
                        bool confirmed);

  // The operator ticked or unticked row ROW of the alias list: the script
  // run works on the ticked rows when it starts.
  void tickAlias(std::size_t row, bool ticked);

  const PreparedSite& site() const { return site_; }
  // True once a script failed since the data members were created (the
  // wait screen's tag).
  bool scriptFailed() const { return script_failed_; }

 private:
  AliasRegistry& aliases_;
  UpdateOptions options_;
  PreparedSite site_;
  bool script_failed_ = false;
};

}  // namespace kelvo
