// A program run with its output sent to a scratch file, read back afterwards.
#include "windows/windows_process.h"

#include <windows.h>

#include "platform/windows/wide_text.h"
#include "support/temp_folder.h"

namespace kelvo::test {

ProgramRun runCapturing(const std::string& command_line) {
  TempFolder folder;
  const std::filesystem::path output = folder.path() / "output.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE file = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ProgramRun run;
  if (file == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = file;
  startup.hStdError = file;
  PROCESS_INFORMATION process{};
  std::wstring line = wide(command_line);
  const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(file);
  if (!started) return run;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  run.exit_code = static_cast<int>(code);
  run.output = readFile(output);
  return run;
}

}  // namespace kelvo::test
