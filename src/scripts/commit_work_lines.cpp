// Blanking of COMMIT WORK lines before a script runs.
#include "scripts/commit_work_lines.h"

#include "scripts/statement_classifier.h"

namespace kelvo {

void blankCommitWorkLines(std::vector<std::string>& script) {
  for (std::string& line : script) {
    if (upperAsciiLetters(line).find("COMMIT WORK") != std::string::npos) line.assign(1, ' ');
  }
}

}  // namespace kelvo
