// On Windows the narrow ARGV holds the ANSI code page's bytes, which lose
// every character that page lacks: the arguments are read again from the
// wide command line.
// windows.h first: shellapi.h relies on its definitions.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/command_line.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

std::vector<std::string> commandLineArguments(int, char**) {
  int count = 0;
  wchar_t** wide_args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  if (wide_args == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(narrow(wide_args[i]));
  LocalFree(wide_args);
  return args;
}

Utf8ConsoleOutput::Utf8ConsoleOutput() {
  // Without a console (output to a file or a pipe) there is nothing to set:
  // the bytes written are UTF-8 as they are.
  const UINT current = GetConsoleOutputCP();
  if (current != 0 && current != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) previous_ = current;
}

Utf8ConsoleOutput::~Utf8ConsoleOutput() {
  if (previous_ != 0) SetConsoleOutputCP(previous_);
}

}  // namespace kelvo
