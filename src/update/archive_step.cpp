// The archive step.
#include "update/archive_step.h"

#include "platform/files.h"
#include "platform/process.h"

namespace kelvo {

namespace {

constexpr const char* kOldExecutable = "Sys_Tavrela.old";

// Returns the folder part of NAME, its final separator included.
std::string folderPart(const std::string& name) {
  const std::size_t last = name.rfind(kPathDelimiter);
  return last == std::string::npos ? std::string() : name.substr(0, last + 1);
}

}  // namespace

std::string archiverCommandLine(const std::string& PROGR, const std::string& main_executable) {
  std::string target = folderPart(main_executable);
  if (target.empty()) target = std::string(".") + kPathDelimiter;
  const std::string archiver = joinPath(joinPath(PROGR, "winrar"), "WinRAR.exe");
  return archiver + " x -o+ " + kArchive + " *.exe \"" + target + "\"";
}

bool archiveStepDue(bool needed, bool error, bool main_executable_present, bool archive_present) {
  return (needed || !main_executable_present) && !error && archive_present;
}

ArchiveOutcome archiveStep(
    FileRunView& view, const std::string& PROGR, const std::string& main_executable,
    const std::function<void(int)>& pause,
    const std::function<std::optional<std::string>(const std::string&)>& executable_problem) {
  const std::string old_name = folderPart(main_executable) + kOldExecutable;
  if (fileExists(main_executable)) {
    deleteFile(old_name);
    copyFileNoOverwrite(main_executable, old_name);
    deleteFile(main_executable);
  }
  for (int waits = 0; waits < 5 && fileExists(main_executable); ++waits) pause(1000);
  if (fileExists(main_executable)) {
    view.showMessage("Não foi possível apagar arquivo " + main_executable + ".");
    deleteFile(kArchive);  // so that the next run fetches it again
    return ArchiveOutcome::ExecutableLocked;
  }
  // The run waits for the archiver and checks its work: without the main
  // executable the site's application cannot start, which must never be
  // reported as a successful update.
  runProgram(archiverCommandLine(PROGR, main_executable));
  if (!fileExists(main_executable)) {
    std::string message =
        "Não foi possível extrair o arquivo " + main_executable + " de " + kArchive + ".";
    if (fileExists(old_name)) message += " A cópia anterior está em " + old_name + ".";
    view.showMessage(message);
    return ArchiveOutcome::ExtractionFailed;
  }
  if (executable_problem) {
    if (const std::optional<std::string> problem = executable_problem(main_executable)) {
      // An executable the maker did not sign must never start: the previous
      // one takes its place again.
      deleteFile(main_executable);
      std::string message = *problem;
      if (copyFileNoOverwrite(old_name, main_executable)) {
        message += " A cópia anterior " + old_name + " foi restaurada.";
      }
      view.showMessage(message);
      return ArchiveOutcome::ExecutableRefused;
    }
  }
  return ArchiveOutcome::Extracted;
}

}  // namespace kelvo
