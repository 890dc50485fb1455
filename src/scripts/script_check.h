// Checking scripts before release: every statement the reader refuses, with
// where it stands, without a database.
#pragma once

#include <string>
#include <vector>

#include "scripts/statement_reader.h"

namespace kelvo {

// One statement the reader refuses, or a line the run blanks although it
// holds more than COMMIT WORK.
struct ScriptComplaint {
  std::string source;    // the script's or INPUT file's name
  std::size_t line = 0;  // where the statement (or comment) starts, from 1
  std::string message;   // "Invalid statement", "Invalid Comment", an INPUT error, ...
  std::string text;      // the statement's text as the reader saw it
};

// Reads scripts one after the other as the script run hands them to the
// runner: COMMIT WORK lines blanked, the terminator of one script in force at
// the start of the next, INPUT files read from the working folder.
class ScriptChecker {
 public:
  ScriptChecker();
  ScriptChecker(const ScriptChecker&) = delete;
  ScriptChecker& operator=(const ScriptChecker&) = delete;

  // Returns every line of SCRIPT (named SOURCE) that the run would blank
  // although it holds more than COMMIT WORK, then every statement that the
  // runner would refuse. Unlike the runner, the check goes on after a refused statement
  // or INPUT file; an unclosed comment ends the script, as it does there.
  std::vector<ScriptComplaint> check(std::vector<std::string> script, const std::string& source);

 private:
  StatementReader reader_;
  std::vector<ScriptComplaint>* complaints_ = nullptr;
};

}  // namespace kelvo
