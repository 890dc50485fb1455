// Shell "open" through xdg-open and detached program starts on POSIX.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/command_words.h"
#include "platform/process.h"

extern char** environ;

namespace kelvo {

namespace {

// Returns the arguments of a Windows-style command line. An unquoted program
// path with blanks in it is found the way Windows finds it: the shortest run
// of leading words that names an existing file is the program.
std::vector<std::string> splitCommandLine(const std::string& line) {
  std::vector<std::string> args = commandWords(line);
  if (args.empty() || line.find_first_not_of(" \t") == line.find('"')) return args;
  std::string program = args[0];
  for (std::size_t words = 1; words < args.size(); ++words) {
    if (access(program.c_str(), X_OK) == 0) {
      std::vector<std::string> joined{program};
      joined.insert(joined.end(), args.begin() + static_cast<std::ptrdiff_t>(words), args.end());
      return joined;
    }
    program += ' ' + args[words];
  }
  return args;
}

// Starts ARGS in a grandchild so that it never becomes a zombie of ours.
bool spawnDetached(const std::vector<std::string>& args) {
  if (args.empty()) return false;
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(pipe_fds[0]);
    close(pipe_fds[1]);
    return false;
  }
  if (child == 0) {
    close(pipe_fds[0]);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t grandchild = 0;
    const int rc = posix_spawnp(&grandchild, argv[0], nullptr, nullptr, argv.data(), environ);
    const char result = rc == 0 ? 1 : 0;
    (void)!write(pipe_fds[1], &result, 1);
    _exit(0);
  }
  close(pipe_fds[1]);
  char result = 0;
  const bool read_ok = read(pipe_fds[0], &result, 1) == 1;
  close(pipe_fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return read_ok && result == 1;
}

}  // namespace

// xdg-open knows only one action, the default one, which opens.
bool shellOpen(const std::string& target, ShellVerb) { return spawnDetached({"xdg-open", target}); }

bool startProgram(const std::string& command_line) {
  return spawnDetached(splitCommandLine(command_line));
}

int runProgram(const std::string& command_line) {
  const std::vector<std::string> args = splitCommandLine(command_line);
  if (args.empty()) return -1;
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kelvo
