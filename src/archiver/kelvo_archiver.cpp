// The archiver stand-in: extracts an archive's members that match a mask.
// Exit status 0 on success, 1 when the extraction failed, 2 for a command
// line it does not understand.
#include <iostream>
#include <string>
#include <vector>

#include "archiver/archive_extract.h"
#include "archiver/archiver_command.h"
#include "platform/error.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  kelvo::archiver::ExtractRequest request;
  try {
    request = kelvo::archiver::parseCommand(args);
  } catch (const kelvo::Error& e) {
    std::cerr << e.what();
    return 2;
  }
  try {
    for (const std::string& path : kelvo::archiver::extractMatching(request)) {
      std::cout << "extracted " << path << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << "kelvo-archiver: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
