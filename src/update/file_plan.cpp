// The read-only plan of the file update run.
#include "update/file_plan.h"

#include <exception>

#include "platform/files.h"
#include "update/archive_step.h"
#include "update/atualiza_cfg.h"
#include "update/ftp_login.h"

namespace kelvo {

FilePlan planFiles(FtpClient& ftp, CatalogConnection& catalog, const FormatSettings& settings,
                   const ReleaseTrust& trust) {
  FilePlan plan;
  setFtpLogin(ftp, catalog, readFtpSettings());
  try {
    ftp.Connect();
  } catch (const std::exception& e) {
    plan.connectFailure = ftpConnectFailureMessage(e.what());
    return plan;
  }
  openUpdateFolder(ftp);
  std::vector<std::string> lines;
  ftp.List(lines);
  const std::unique_ptr<ReleaseGuard> guard = makeReleaseGuard(trust);
  if (guard) plan.releaseRefusal = guard->admit(ftp);
  if (plan.releaseRefusal) {
    ftp.Disconnect();
    return plan;
  }
  bool fetching = false;
  bool refusing = false;
  bool archive_fetched = false;
  for (const std::optional<ListingItem>& item :
       entriesByLine(lines.size(), ftp.DirectoryListing())) {
    if (!item) continue;
    FileComparison judged = markVerdict(*item, settings);
    judged.verdict = guardedVerdict(guard.get(), item->fileName, judged.verdict);
    plan.rows.push_back(
        {item->fileName, judged.verdict, item->modifiedDate, judged.localTime, item->size});
    fetching = fetching || fetches(judged.verdict);
    refusing = refusing || judged.verdict == FileVerdict::Refused;
    archive_fetched = archive_fetched || (fetches(judged.verdict) && item->fileName == kArchive);
  }
  ftp.Disconnect();
  plan.archiveStep = archiveStepDue(fetching, refusing, fileExists(kMainExecutable),
                                    archive_fetched || fileExists(kArchive));
  return plan;
}

}  // namespace kelvo
