// What a preparation leaves for the update: the folders it found, whether
// the main executable is there, the aliases of the client databases and
// the open connections, owned here rather than by any screen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "update/update_data.h"

namespace kelvo {

// How a preparation ended.
enum class PreparationOutcome {
  NotConfirmed,
  ArchiverMissing,
  MainExecutableMissing,
  SettingsFileMissing,
  AliasUnknown,
  CatalogueUnreachable,
  ClientDatabaseUnreachable,
  Ready,
};

// One row of the alias list: ticked once both of its databases opened.
struct AliasRow {
  std::string alias;
  bool ticked = false;
};

struct PreparedSite {
  PreparationOutcome outcome = PreparationOutcome::NotConfirmed;
  std::string workingFolder;  // absolute
  std::string PROGR;          // the program-files folder that holds the archiver
  // The preparation found Sys_Tavrela.exe (or its old copy): the file run
  // lists and mirrors the server folder only then.
  bool mainExecutablePresent = false;
  // The main executable's name, as its label shows it before " - Será".
  std::string mainExecutable = "Sys_Tavrela.exe";
  std::vector<AliasRow> aliases;
  // The data members, created when the preparation reached the wait screen:
  // the central catalogue stays open after a successful preparation.
  std::unique_ptr<UpdateData> data;

  bool ready() const { return outcome == PreparationOutcome::Ready; }
  // The aliases whose databases the script run updates, in list order.
  std::vector<std::string> tickedAliases() const;
};

}  // namespace kelvo
