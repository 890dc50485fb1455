// Reading the archiver's command line.
#include "archiver/archiver_command.h"

#include <algorithm>

#include "platform/error.h"

namespace kelvo::archiver {

const char* const kUsage =
    "usage: kelvo-archiver x -o+ ARCHIVE [MASK] [TARGET]\n"
    "  extracts the members of ARCHIVE whose file name matches MASK (Windows\n"
    "  wildcards, default *) into the folder TARGET (default the working\n"
    "  folder), keeping their paths and overwriting existing files\n";

ExtractRequest parseCommand(const std::vector<std::string>& args) {
  if (args.empty() || (args[0] != "x" && args[0] != "X")) throw Error(kUsage);
  std::vector<std::string> operands;
  bool overwrite = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-o+") {
      overwrite = true;
    } else if (!args[i].empty() && args[i][0] == '-' && operands.empty()) {
      std::string message = "unknown switch ";
      message.append(args[i]).append("\n").append(kUsage);
      throw Error(message);
    } else {
      operands.push_back(args[i]);
    }
  }
  // Only overwriting is offered: asking the operator is not possible here.
  if (!overwrite || operands.empty() || operands.size() > 3) throw Error(kUsage);
  ExtractRequest request;
  request.archive = operands[0];
  if (operands.size() > 1) request.mask = operands[1];
  if (operands.size() > 2 && !operands[2].empty()) {
    std::string target = operands[2];
    std::replace(target.begin(), target.end(), '\\', '/');
    request.target = std::move(target);
  }
  return request;
}

}  // namespace kelvo::archiver
