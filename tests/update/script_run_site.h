// The script run of the core against a real MariaDB catalogue and real
// embedded Firebird client databases, seen through a view that records
// what the wait screen would show.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_fixture.h"
#include "support/client_databases.h"
#include "support/temp_folder.h"
#include "update/script_run.h"

namespace kelvo::test {

// What the wait screen was asked to show.
struct RecordingScriptView : ScriptRunView {
  void setProgressMaximum(int) override {}
  void setProgress(int position) override;
  void showScriptError(const std::string& caption) override { errorScreens.push_back(caption); }
  void pause(int milliseconds) override { pauses.push_back(milliseconds); }
  void showRunError(const std::string& text) override { runErrors.push_back(text); }
  void closeScreen() override { ++closes; }

  std::vector<int> progress, pauses;
  std::vector<std::string> errorScreens, runErrors;
  int closes = 0;
  // Called after each progress step, that is after each script's commit.
  std::function<void(int position)> onProgress;
};

class ScriptRunSite : public ::testing::Test {
 protected:
  ScriptRunSite() : databases(folder.path()) {}

  // Runs the script run over TICKED on data members made from the aliases
  // known by now, as a preparation leaves them (catalogue open), with the
  // backup folder backupFolder.
  ScriptRunResult run(const std::vector<std::string>& ticked);

  TempFolder folder;
  WorkingFolder working{folder.path()};
  ScratchCatalog catalog;
  ClientDatabases databases;
  RecordingScriptView view;
  std::optional<std::string> backupFolder;  // the site's backup folder, none by default
  std::vector<std::string> publicKeys;      // the keys scripts are checked against: none
};

}  // namespace kelvo::test
