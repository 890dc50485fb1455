// The marking pass's judgement of one listing row, on its own so that a
// look ahead can make it without downloading anything: which listing entry
// belongs to which line, and whether and why an entry would be fetched.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "access/ftp/listing_directory.h"
#include "platform/regional_settings.h"
#include "platform/tdatetime.h"

namespace kelvo {

// What the run does with a listed entry.
enum class FileVerdict {
  Current,      // same minute as the local copy: left alone
  Excluded,     // "Arquivos_dlls": never fetched
  OwnFile,      // one of the updater's own files (own_files.h): never fetched
  Missing,      // no local copy: fetched
  ServerNewer,  // the server's copy is of a later minute: fetched
  ServerOlder,  // the server's copy is of an earlier minute: fetched all the same
  Refused,      // a name that could reach outside the working folder: never written
  Unlisted,     // not named by the signed release manifest: never fetched
};

// A verdict with the local copy's time, when there is a local copy.
struct FileComparison {
  FileVerdict verdict = FileVerdict::Current;
  std::optional<TDateTime> localTime;
};

// Compares the local file NAME with a server entry dated SERVER_TIME, to the
// minute as SETTINGS print "dd/mm/yyyy HH:mm". Refused names are not judged
// here (see markVerdict).
FileComparison compareWithLocal(const std::string& name, TDateTime server_time,
                                const FormatSettings& settings);

// Returns the marking pass's judgement of ITEM: Refused for an unsafe name,
// else the comparison with the local copy.
FileComparison markVerdict(const ListingItem& item, const FormatSettings& settings);

// Returns true for the verdicts that fetch the file.
bool fetches(FileVerdict verdict);

// Returns true for the verdicts whose row shows the red lamp after marking.
inline bool marksRed(FileVerdict verdict) {
  return fetches(verdict) || verdict == FileVerdict::Refused;
}

// Returns, for each of LINE_COUNT raw listing lines, the parsed entry read
// from that line; header, total and blank lines have none.
std::vector<std::optional<ListingItem>> entriesByLine(std::size_t line_count,
                                                      const DirectoryListing& listing);

}  // namespace kelvo
