// Blanking of COMMIT WORK lines before a script runs.
#include "scripts/commit_work_lines.h"

#include "platform/ascii.h"

namespace kelvo {

void blankCommitWorkLines(std::vector<std::string>& script) {
  for (std::string& line : script) {
    if (upperAscii(line).find("COMMIT WORK") != std::string::npos) line.assign(1, ' ');
  }
}

}  // namespace kelvo
