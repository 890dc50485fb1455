// The program-files folder in which the archiver is installed.
#pragma once

#include <string>

namespace kelvo {

// The archiver's path below the program-files folder, as the system writes it.
inline constexpr const char* kArchiverBelowProgramFiles = "\\winrar\\winrar.exe";

// Returns the program-files folder from the registry ("ProgramFilesDir"
// under HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion). When
// the archiver is not below it and the folder names "(X86)" (letter case
// ignored), the part before that, trimmed, is returned if the archiver is
// below that one; otherwise the folder as read. Throws RegistryError when
// the value cannot be read.
std::string programFiles();

// Returns true when the archiver exists below FOLDER.
bool archiverInstalled(const std::string& folder);

}  // namespace kelvo
