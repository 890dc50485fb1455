// What status and preview tell about a working folder, gathered without
// changing anything: the gate's failure records, the preparation's checks,
// each database's version and pending scripts, and (preview) the server
// listing as the file update run would judge it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_registry.h"
#include "update/file_plan.h"
#include "update/preparation.h"
#include "update/script_plan.h"

namespace kelvo::cli {

struct DatabaseReport {
  DatabasePlan plan;
  std::optional<std::string> error;  // why the plan could not be read
};

struct SiteReport {
  std::string folder;                       // the working folder, absolute
  std::vector<std::string> failureRecords;  // sorted; the first is the one the gate names
  std::string programFolder;                // PROGR
  bool archiverFound = false;
  std::optional<std::string> alias;               // none without Sys_Info.INI
  std::optional<PreparationOutcome> preparation;  // none when it could not end
  std::vector<std::string> preparationMessages;   // the messages of a failed preparation
  std::optional<std::string> downloadAddress;     // where the archiver can be fetched
  std::vector<DatabaseReport> databases;
  std::optional<FilePlan> files;     // preview only, after a successful preparation
  std::optional<std::string> error;  // a failure nobody expects, which ended the reading

  bool ready() const { return preparation == PreparationOutcome::Ready; }
};

// Reads the report of the current working folder. With PREVIEW the FTP
// server's listing is read and judged as well.
SiteReport readSiteReport(AliasRegistry& registry, bool preview);

// Returns the exit code of a report: 0 when everything could be read, 2
// when the FTP connection failed, 5 when the preparation failed or a
// database could not be read, 70 for an unexpected failure.
int reportExitCode(const SiteReport& report);

}  // namespace kelvo::cli
