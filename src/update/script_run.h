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

class ScriptRun {
 public:
  // The run on DATA's connections and runner, reporting through VIEW and
  // setting TAG to 1 when a script fails.
  ScriptRun(UpdateData& data, ScriptRunView& view, int& tag, FailureClock clock = {});

  // The whole run over the ticked aliases TICKED (in list order), ending with
  // the screen closed. An error outside a script's execution stops the run
  // where it is: the client database is closed, the error shown, the tag set
  // to 1 and the screen closed.
  void run(const std::vector<std::string>& ticked);

 private:
  void updateDatabase(const std::string& entry);
  void applyScripts(const std::string& entry, ScriptCatalogue& scripts, std::int64_t n);
  void recordFailure(const std::exception& error, const std::string& entry);
  void closeAfterError() noexcept;

  UpdateData& data_;
  ScriptRunView& view_;
  int& tag_;
  FailureClock clock_;
  bool failed_ = false;
  bool ran_ = false;
};

}  // namespace kelvo
