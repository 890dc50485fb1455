// The archive step: the old main executable set aside, a fresh one
// extracted from Sys_Tavrela.rar by the archiver.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "update/file_run_view.h"

namespace kelvo {

// How the archive step ended.
enum class ArchiveOutcome {
  Extracted,          // the archiver left a fresh main executable
  ExecutableLocked,   // the old one could not be deleted: the archive was deleted
  ExtractionFailed,   // the archiver left no main executable
  ArchiveRefused,     // the archive is not the signed release's: never extracted
  ExecutableRefused,  // the extracted executable is not the signed release's: removed
};

// Returns true for the outcomes that end the update with errors.
inline bool failed(ArchiveOutcome outcome) { return outcome != ArchiveOutcome::Extracted; }

// Returns the archiver's command line for PROGR and the main executable's
// name: PROGR, the archiver, "x -o+ Sys_Tavrela.rar *.exe " and the quoted
// target folder (the main executable's folder, or the working folder).
std::string archiverCommandLine(const std::string& PROGR, const std::string& main_executable);

// Sets the main executable MAIN_EXECUTABLE aside as Sys_Tavrela.old, waits
// (PAUSE, at most five times 1000 ms) until it is gone, and has the archiver
// below PROGR extract a fresh one, waiting for it. A failure is shown on
// VIEW. With EXECUTABLE_PROBLEM, an extracted executable for which it gives
// a reason is removed and Sys_Tavrela.old put back in its place.
ArchiveOutcome archiveStep(
    FileRunView& view, const std::string& PROGR, const std::string& main_executable,
    const std::function<void(int)>& pause,
    const std::function<std::optional<std::string>(const std::string&)>& executable_problem = {});

// Returns true when the archive step runs: something was fetched (NEEDED)
// or the main executable is missing, no file step failed (ERROR), and the
// archive is present.
bool archiveStepDue(bool needed, bool error, bool main_executable_present, bool archive_present);

// The archive and the main executable it holds.
inline constexpr const char* kMainExecutable = "Sys_Tavrela.exe";
inline constexpr const char* kArchive = "Sys_Tavrela.rar";

}  // namespace kelvo
