// status and preview for people and as JSON.
#pragma once

#include <string>

#include "cli/site_report.h"
#include "platform/regional_settings.h"

namespace kelvo::cli {

// Returns REPORT as lines of text; PREVIEW adds the files and scripts the
// update would handle. Times are printed by SETTINGS, to the minute.
std::string reportText(const SiteReport& report, bool preview, const FormatSettings& settings);

// Returns REPORT as one JSON object (times as local ISO 8601 text).
std::string reportJson(const SiteReport& report, bool preview);

// Returns the word JSON gives VERDICT ("ausente", "mais_novo", ...).
const char* verdictCode(FileVerdict verdict);

}  // namespace kelvo::cli
