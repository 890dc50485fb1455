// Shell "open" and detached program starts on Windows.
#include <shellapi.h>
#include <windows.h>

#include "platform/codepage.h"
#include "platform/process.h"

namespace kelvo {

namespace {
std::wstring wide(const std::string& text) {
  const std::u16string w = utf8ToUtf16(text);
  return std::wstring(w.begin(), w.end());
}
}  // namespace

bool shellOpen(const std::string& target, ShellVerb verb) {
  const wchar_t* action = verb == ShellVerb::Open ? L"open" : nullptr;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, action, wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool startProgram(const std::string& command_line) {
  std::wstring line = wide(command_line);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

int runProgram(const std::string& command_line) {
  std::wstring line = wide(command_line);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return -1;
  }
  CloseHandle(info.hThread);
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  const bool known = GetExitCodeProcess(info.hProcess, &code) != 0;
  CloseHandle(info.hProcess);
  return known ? static_cast<int>(code) : -1;
}

}  // namespace kelvo
