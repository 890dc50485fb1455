// The program's command line and its console, as UTF-8.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// Returns the program's arguments, the program's own name left out, as
// UTF-8. On Windows they are read from the wide (UTF-16) command line and
// converted once, so an argument outside the ANSI code page (an accented
// folder or password) survives; elsewhere they are ARGV as given.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// While it lives, the console shows the program's UTF-8 output as UTF-8. On
// Windows the console's output code page is set to UTF-8 and the earlier one
// put back afterwards, so the window the operator typed in keeps its own; on
// POSIX terminals already take UTF-8.
class Utf8ConsoleOutput {
 public:
  Utf8ConsoleOutput();
  ~Utf8ConsoleOutput();
  Utf8ConsoleOutput(const Utf8ConsoleOutput&) = delete;
  Utf8ConsoleOutput& operator=(const Utf8ConsoleOutput&) = delete;

 private:
  [[maybe_unused]] unsigned previous_ =
      0;  // Windows: the earlier code page, 0 when none was changed
};

}  // namespace kelvo
