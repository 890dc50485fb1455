// On POSIX the arguments arrive as UTF-8 bytes and terminals take UTF-8.
#include "platform/command_line.h"

namespace kelvo {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

Utf8ConsoleOutput::Utf8ConsoleOutput() = default;

Utf8ConsoleOutput::~Utf8ConsoleOutput() = default;

}  // namespace kelvo
