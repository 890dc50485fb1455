// The script run's guard against scripts that commit on their own.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// Replaces by a single blank every line of SCRIPT that holds "COMMIT WORK"
// (one space between the words, ASCII letter case ignored), wherever in the
// line it stands: the run commits after each script itself.
void blankCommitWorkLines(std::vector<std::string>& script);

}  // namespace kelvo
