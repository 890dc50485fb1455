// What the file update run would do, read without changing anything: the
// server listing compared with the working folder as the marking pass
// compares it, and whether the archive step would follow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/catalog_connection.h"
#include "access/ftp/ftp_client.h"
#include "platform/regional_settings.h"
#include "update/file_marking.h"
#include "update/release_guard.h"

namespace kelvo {

struct FilePlanRow {
  std::string name;
  FileVerdict verdict = FileVerdict::Current;
  TDateTime serverTime = 0;
  std::optional<TDateTime> localTime;
  std::int64_t size = 0;  // as the listing gives it
};

struct FilePlan {
  // The failure's message when the connection could not be made; nothing
  // else is filled then.
  std::optional<std::string> connectFailure;
  // Why a keyed build would refuse the release; no row is filled then.
  std::optional<std::string> releaseRefusal;
  std::vector<FilePlanRow> rows;  // one per listed entry, in listing order
  bool archiveStep = false;       // a fresh main executable would be extracted
};

// Logs in as the run does (atualiza.cfg or the defaults, the password from
// CATALOG), lists the update folder, judges every entry and signs off. No
// file is written and no time stamp set. Failures after the connection
// (folder, listing) are raised. With TRUST's keys the release manifest is
// checked as the run checks it (the accepted serial is only read).
FilePlan planFiles(FtpClient& ftp, CatalogConnection& catalog, const FormatSettings& settings,
                   const ReleaseTrust& trust);

}  // namespace kelvo
