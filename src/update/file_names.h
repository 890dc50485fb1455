// The names the file update run handles: the file name of a listing line,
// which server names may be written locally, and whether a file needs a
// download.
#pragma once

#include <string>
#include <string_view>

#include "platform/regional_settings.h"
#include "platform/tdatetime.h"

namespace kelvo {

// The server entry that is never downloaded (letter case counts).
inline constexpr const char* kArquivosDlls = "Arquivos_dlls";

// Returns the last blank-separated word of LINE: the line trimmed of blanks
// and control characters, the text from its last blank (tabs do not count)
// on, at most 1000 characters, trimmed again.
std::string UltimaPalavra(std::string_view line);

// Returns true when NAME may be written inside the working folder: not
// empty, no folder separator ('/' or '\\'), no drive or stream colon, no
// control character, and not made of dots and blanks only ("." and "..",
// and what Windows shortens to them).
bool isSafeFileName(std::string_view name);

// Returns true when the local file NAME needs a download from a server entry
// dated SERVER_TIME: never for "Arquivos_dlls" or one of the updater's own
// files (own_files.h); always when the local file
// does not exist (or its time cannot be read); otherwise when the two times
// differ to the minute as SETTINGS print "dd/mm/yyyy HH:mm".
bool PrecisaBaixar(const std::string& name, TDateTime server_time, const FormatSettings& settings);

// Returns true when the two date-times print differently as
// "dd/mm/yyyy HH:mm" under SETTINGS (seconds never matter).
bool differToTheMinute(TDateTime a, TDateTime b, const FormatSettings& settings);

}  // namespace kelvo
