// Gathering status and preview.
#include "cli/site_report.h"

#include <exception>
#include <filesystem>

#include "cli/cli_views.h"
#include "cli/exit_codes.h"
#include "platform/files.h"
#include "update/failure_gate.h"
#include "update/own_files.h"
#include "update/program_files.h"
#include "update/release_keys.h"
#include "update/site_servers.h"
#include "update/site_settings.h"

namespace kelvo::cli {

namespace {

void readDatabases(SiteReport& report, UpdateData& data, const std::vector<std::string>& aliases) {
  for (const std::string& alias : aliases) {
    DatabaseReport database;
    database.plan.alias = alias;
    try {
      database.plan = planDatabase(data, alias);
    } catch (const std::exception& e) {
      database.error = e.what();
    }
    report.databases.push_back(std::move(database));
  }
}

}  // namespace

SiteReport readSiteReport(AliasRegistry& registry, bool preview) {
  SiteReport report;
  report.folder = std::filesystem::current_path().string();
  report.failureRecords = failureRecords();
  CliPreparationView view;
  try {
    if (fileExists(kSysInfoIni)) report.alias = readSettingsAlias(kSysInfoIni);
    // The site's waits and TLS hold for a look as for an update: a site
    // that wants TLS never has its passwords read in plain.
    const SiteSettings settings = readSiteSettings();
    const PreparedSite site = prepare(view, registry, true, nullptr, settings);
    report.preparation = site.outcome;
    report.programFolder = site.PROGR;
    report.archiverFound = archiverInstalled(site.PROGR);
    report.preparationMessages = view.messages;
    report.downloadAddress = view.downloadAddress;
    if (!report.ready()) return report;
    readDatabases(report, *site.data, site.tickedAliases());
    if (preview) {
      FtpClient ftp;
      configureFtpClient(ftp, settings);
      report.files =
          planFiles(ftp, site.data->catalog, regionalSettings(), ReleaseTrust(buildPublicKeys()));
    }
  } catch (const std::exception& e) {
    report.error = e.what();
  }
  return report;
}

int reportExitCode(const SiteReport& report) {
  if (report.error) return kExitUnexpected;
  if (!report.ready()) return kExitPreparation;
  if (report.files && report.files->connectFailure) return kExitConnection;
  for (const DatabaseReport& database : report.databases) {
    if (database.error) return kExitPreparation;
  }
  return kExitSuccess;
}

}  // namespace kelvo::cli
