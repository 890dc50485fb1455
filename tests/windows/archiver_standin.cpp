// Stands in for WinRAR in the archive step's tests under Wine. It records
// the command line it was started with (beside itself, in
// <program>.command-line.txt, UTF-8), takes a while as a real extraction
// does, then writes the main executable into the target folder of
// "x -o+ ARCHIVE MASK TARGET", reading the line as WinRAR does
// (commandWords: a backslash before a quote stays a backslash).
// Exit codes: 0 extracted, 2 not the archiver's command line, 3 no archive.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/command_words.h"
#include "platform/native_path.h"
#include "platform/windows/wide_text.h"

int main() {
  const std::wstring line = GetCommandLineW();
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::ofstream(std::filesystem::path(std::wstring(self) + L".command-line.txt"), std::ios::binary)
      << kelvo::narrow(line);

  const std::vector<std::string> args = kelvo::commandWords(kelvo::narrow(line));
  if (args.size() != 6 || args[1] != "x" || args[2] != "-o+" || args[4] != "*.exe") return 2;
  if (!std::filesystem::exists(kelvo::filePath(args[3]))) return 3;
  Sleep(1500);  // the updater must wait for the extraction, not just start it
  std::ofstream(kelvo::filePath(args[5]) / "Sys_Tavrela.exe", std::ios::binary)
      << "extracted from " << args[3];
  return 0;
}
