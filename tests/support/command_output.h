// Running a command-line tool as its user would, through the shell, and
// taking what it printed (POSIX).
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace kelvo::test {

struct CommandResult {
  int code = -1;
  std::string output;  // standard output and standard error together
};

inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
    result.output.append(buffer, n);
  const int status = ::pclose(pipe);
  result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace kelvo::test
