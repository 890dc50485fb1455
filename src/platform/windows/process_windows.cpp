// Shell "open" and detached program starts on Windows.
// windows.h first: shellapi.h relies on its definitions.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/process.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

namespace {

// Starts COMMAND_LINE with its window shown normally; returns the process's
// handle (the thread's is closed), or null when it cannot be started.
HANDLE createProcess(const std::string& command_line) {
  std::wstring line = wide(command_line);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return info.hProcess;
}
}  // namespace

bool shellOpen(const std::string& target, ShellVerb verb) {
  const wchar_t* action = verb == ShellVerb::Open ? L"open" : nullptr;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, action, wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool startProgram(const std::string& command_line) {
  const HANDLE process = createProcess(command_line);
  if (process == nullptr) return false;
  CloseHandle(process);
  return true;
}

int runProgram(const std::string& command_line) {
  const HANDLE process = createProcess(command_line);
  if (process == nullptr) return -1;
  WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  const bool known = GetExitCodeProcess(process, &code) != 0;
  CloseHandle(process);
  return known ? static_cast<int>(code) : -1;
}

}  // namespace kelvo
