// The reader run over a script only to collect what it refuses.
#include "scripts/script_check.h"

#include "platform/ascii.h"
#include "scripts/commit_work_lines.h"
#include "scripts/script_lines.h"

namespace kelvo {

ScriptChecker::ScriptChecker() {
  // An INPUT file that cannot be read stops the runner; here it is noted and
  // the rest of the script is still checked.
  reader_.setInputFileLoader([this](const std::string& name) -> std::vector<std::string> {
    try {
      return loadScriptFile(name);
    } catch (const Error& error) {
      const StatementReader::Position at = reader_.position();
      complaints_->push_back(ScriptComplaint{at.source, at.line, error.what(), "INPUT " + name});
      return {};
    }
  });
}

std::vector<ScriptComplaint> ScriptChecker::check(std::vector<std::string> script,
                                                  const std::string& source) {
  std::vector<ScriptComplaint> complaints;
  complaints_ = &complaints;
  // The run blanks such a line whole: whatever else stands on it never runs.
  for (std::size_t i = 0; i < script.size(); ++i) {
    const std::string upper = upperAscii(script[i]);
    if (upper.find("COMMIT WORK") == std::string::npos) continue;
    const std::string_view alone = trimBlanksAndTabs(upper);
    if (alone != "COMMIT WORK;" && alone != "COMMIT WORK") {
      complaints.push_back(ScriptComplaint{
          source, i + 1, "Line holding COMMIT WORK is blanked whole, nothing else on it runs",
          script[i]});
    }
  }
  blankCommitWorkLines(script);
  reader_.start(script, source);
  for (;;) {
    try {
      const auto statement = reader_.next();
      if (!statement) break;
      if (statement->kind == StatementKind::stmtERR) {
        const StatementReader::Position at = reader_.position();
        complaints.push_back(
            ScriptComplaint{at.source, at.line, "Invalid statement", statement->text});
      }
    } catch (const StatementReaderError& error) {
      const StatementReader::Position at = reader_.position();
      complaints.push_back(ScriptComplaint{at.source, at.line, error.what(), error.text()});
      break;
    }
  }
  complaints_ = nullptr;
  return complaints;
}

}  // namespace kelvo
