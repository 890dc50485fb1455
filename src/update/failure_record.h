// The failure record: the executed script of a failed run under an error
// header, saved in the working folder, where the start-up gate finds it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/regional_settings.h"
#include "platform/tdatetime.h"

namespace kelvo {

// Returns TEXT with every character equal to SEARCH replaced by REPLACEMENT.
// Characters are code points of UTF-8 text; a SEARCH of more than one
// character (or none) never matches, and TEXT comes back unchanged.
std::string TrocaCaractere(std::string_view text, std::string_view search,
                           std::string_view replacement);

// Returns TEXT with every character that a file name cannot hold (path
// separators, the characters Windows forbids and control characters)
// replaced by "_".
std::string fileNameSafe(std::string_view text);

// Returns the record's file name for a failure of work-list ENTRY: the date
// of DATE in the short date format with "/" turned into "-", the time of
// TIME in the long time format with ":" turned into "-". The entry is made
// safe first, so the record always lands in the working folder.
std::string failureRecordName(TDateTime date, TDateTime time, std::string_view entry,
                              const FormatSettings& settings);

// Inserts the error header above the lines of SCRIPT: "/* ERRO: ", " ", the
// lines of MESSAGE, " ", ".....  */", " ".
void insertFailureHeader(std::vector<std::string>& script, std::string_view message);

// Writes LINES (UTF-8) to a new file PATH in the ANSI code page, each
// followed by CR LF; the file appears only once it is complete. PATH is
// created exclusively: an existing PATH (a file, a folder, a planted link)
// is never opened, replaced or followed. Raises an Error naming PATH when
// it cannot be written or exists; nothing is left behind then.
void saveFailureRecord(const std::string& path, const std::vector<std::string>& lines);

}  // namespace kelvo
