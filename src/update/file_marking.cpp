// The marking pass's judgement, shared by the run and the look ahead.
#include "update/file_marking.h"

#include "platform/files.h"
#include "update/file_names.h"
#include "update/own_files.h"

namespace kelvo {

FileComparison compareWithLocal(const std::string& name, TDateTime server_time,
                                const FormatSettings& settings) {
  if (name == kArquivosDlls) return {FileVerdict::Excluded, std::nullopt};
  if (isOwnFileName(name)) return {FileVerdict::OwnFile, std::nullopt};
  // A missing local file is always fetched: comparing against a stand-in
  // time would skip a file the server dates today at midnight.
  const std::optional<TDateTime> local_time = fileLastWriteTime(name);
  if (!local_time) return {FileVerdict::Missing, std::nullopt};
  if (!differToTheMinute(*local_time, server_time, settings)) {
    return {FileVerdict::Current, local_time};
  }
  return {server_time > *local_time ? FileVerdict::ServerNewer : FileVerdict::ServerOlder,
          local_time};
}

FileComparison markVerdict(const ListingItem& item, const FormatSettings& settings) {
  if (!isSafeFileName(item.fileName)) return {FileVerdict::Refused, std::nullopt};
  return compareWithLocal(item.fileName, item.modifiedDate, settings);
}

bool fetches(FileVerdict verdict) {
  return verdict == FileVerdict::Missing || verdict == FileVerdict::ServerNewer ||
         verdict == FileVerdict::ServerOlder;
}

std::vector<std::optional<ListingItem>> entriesByLine(std::size_t line_count,
                                                      const DirectoryListing& listing) {
  // Pairing by position would shift every row after a header, total or
  // blank line onto the wrong file; each entry knows its own line.
  std::vector<std::optional<ListingItem>> entries(line_count);
  for (const ListingItem& item : listing.items()) {
    if (item.lineIndex < line_count && !entries[item.lineIndex]) entries[item.lineIndex] = item;
  }
  return entries;
}

}  // namespace kelvo
