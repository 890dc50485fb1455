// The script application run: for every ticked client database, apply the
// catalogue's released scripts newer than its version, one by one, commit
// after each, record the version reached, and keep a failure record of a
// script that fails.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/regional_settings.h"
#include "platform/tdatetime.h"
#include "scripts/commit_work_lines.h"
#include "update/update_data.h"

namespace kelvo {

class IbScript;
class ScriptCatalogue;
class VersionStore;

// What the run needs of the wait screen.
class ScriptRunView {
 public:
  virtual ~ScriptRunView() = default;
  // Sets the progress bar's maximum.
  virtual void setProgressMaximum(int maximum) = 0;
  // Sets the progress bar's position and repaints it at once.
  virtual void setProgress(int position) = 0;
  // Shows the error screen with CAPTION as its Label1 text, modally, and
  // frees it when the operator closes it.
  virtual void showScriptError(const std::string& caption) = 0;
  // Blocks for MILLISECONDS.
  virtual void pause(int milliseconds) = 0;
  // Shows TEXT, the error that stopped the run, and waits for the operator.
  virtual void showRunError(const std::string& text) = 0;
  // Ends the screen's modal display.
  virtual void closeScreen() = 0;
};

// Returns the progress bar position after DONE of N scripts: (100 / N) x
// DONE rounded to the nearest integer, halves to the even neighbour, never
// beyond 100 (and 100 when N is not positive).
int progressPosition(std::int64_t n, std::int64_t done);

// Prepares the runner's script (blankCommitWorkLines) and executes it; any
// error of the execution passes to the caller.
void ExecutaScript(IbScript& script);

// Where the failure record's name takes its date, time and formats from.
struct FailureClock {
  std::function<TDateTime()> now;          // the system clock when empty
  std::optional<FormatSettings> settings;  // the user's regional settings when empty
};

// A script that failed: its version, the error it raised and the failure
// record that keeps it.
struct ScriptFailure {
  std::string version;
  std::string error;
  std::string recordName;
};

// What the run did to one client database.
struct DatabaseResult {
  std::string alias;
  std::string location;              // the alias's "SERVER NAME"
  std::string versionBefore;         // as read (or created) when it opened
  std::int64_t pending = 0;          // the pending count
  std::vector<std::string> applied;  // versions of the scripts executed, a failing one included
  std::optional<std::string> recordedVersion;  // what VERSAO holds afterwards, when written
  std::optional<ScriptFailure> failure;
  // A catalogue version the database cannot hold: its script was not run.
  std::optional<std::string> refusedVersion;
  // The version of a script whose signature is missing or wrong: it was not
  // run, and its version not recorded (failure holds its record).
  std::optional<std::string> invalidSignature;
  // The backup made before its first pending script, when a backup folder
  // was given.
  std::optional<std::string> restorePoint;
  // Why that backup could not be made: none of its scripts was run.
  std::optional<std::string> backupError;
};

struct ScriptRunResult {
  std::vector<DatabaseResult> databases;  // the ones it got to, in work-list order
  // The error outside a script's execution that stopped the run (a lost
  // catalogue or client database, say), naming the server.
  std::optional<std::string> runError;
  // A stop request ended the run: the script in hand was rolled back and
  // its version not recorded.
  bool interrupted = false;

  // True when a script failed or a catalogue version was refused: the wait
  // screen's tag becomes 1 and the maker's support is needed. An error
  // outside the scripts is not a script's failure.
  bool failed() const;
  // The first database whose script failed or whose version was refused.
  const DatabaseResult* firstFailure() const;
  // True when a database's scripts were held back for want of their backup.
  bool backupFailed() const;
};

class ScriptRun {
 public:
  // The run over the ticked aliases TICKED (in list order) on DATA's
  // connections and runner. With BACKUP_FOLDER (an absolute path, else an
  // Error is raised), each database with a pending script is backed up
  // there before the first of them runs; the backup's name takes CLOCK's
  // time.
  ScriptRun(UpdateData& data, std::vector<std::string> ticked, FailureClock clock = {},
            std::optional<std::string> backup_folder = {});

  // The whole run, shown on VIEW, ending with the screen closed. An error
  // outside a script's execution stops the run where it is: the client
  // database is closed, the error shown and the screen closed. The result
  // is also kept for result().
  const ScriptRunResult& run(ScriptRunView& view);

  // What the last run did (nothing before it ran).
  const ScriptRunResult& result() const { return result_; }

  // The maker's keys every script's signature is checked against (the
  // build's keys; without keys no signature is read).
  std::vector<std::string> publicKeys;

 private:
  void updateDatabase(ScriptRunView& view, const std::string& entry);
  bool takeRestorePoint(ScriptRunView& view, DatabaseResult& database);
  void applyScripts(ScriptRunView& view, const std::string& entry, ScriptCatalogue& scripts,
                    VersionStore& versions, DatabaseResult& database);
  void recordVersion(VersionStore& versions, DatabaseResult& database, const std::string& version);
  std::string runErrorText(const std::exception& error) const;
  void recordFailure(ScriptRunView& view, const std::exception& error, const std::string& entry,
                     const std::string& version, DatabaseResult& database);
  void closeAfterError() noexcept;

  UpdateData& data_;
  std::vector<std::string> ticked_;
  FailureClock clock_;
  std::optional<std::string> backup_folder_;
  ScriptRunResult result_;
};

}  // namespace kelvo
