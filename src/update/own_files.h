// The updater's own files in the working folder: its settings, the main
// application's settings, failure records, the manifest and the temporary
// files of a run. A server entry of one of these names is never mirrored,
// or the server could redirect the next log-in, refuse every later run or
// name another database.
#pragma once

#include <string_view>

namespace kelvo {

// The main application's settings file, which names the database alias.
inline constexpr const char* kSysInfoIni = "Sys_Info.INI";
// The signed release's manifest and its detached signature.
inline constexpr const char* kManifestName = "kelvo-manifest.txt";
inline constexpr const char* kManifestSignatureName = "kelvo-manifest.sig";

// Returns true when NAME would land on one of the updater's own files, as a
// Windows file system resolves it: letters without regard to case, and
// trailing dots and blanks dropped.
bool isOwnFileName(std::string_view name);

}  // namespace kelvo
