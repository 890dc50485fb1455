// Where kelvoupdate writes: the report and the final line to standard
// output, messages and progress to standard error. On a terminal one line
// of standard error is rewritten in place while a transfer runs.
#pragma once

#include <ostream>
#include <string>

namespace kelvo::cli {

class Console {
 public:
  // TERMINAL: ERR is a terminal, so an updating line may be rewritten.
  Console(std::ostream& out, std::ostream& err, bool terminal);

  // Returns true when standard error is a terminal.
  static bool standardErrorIsTerminal();

  std::ostream& out() { return out_; }
  bool terminal() const { return terminal_; }

  // Writes LINE (which may hold several lines) to standard error, after
  // ending an updating line.
  void note(const std::string& line);
  // Replaces the updating line by LINE (on a terminal only).
  void update(const std::string& line);
  // Ends the updating line, keeping its last text.
  void endUpdating();

 private:
  std::ostream& out_;
  std::ostream& err_;
  bool terminal_;
  bool updating_ = false;
};

// While it lives, what programs started by this process (the archiver)
// write to standard output goes to standard error instead, so that
// standard output keeps only this program's own report and final line.
class ChildOutputToStandardError {
 public:
  ChildOutputToStandardError();
  ~ChildOutputToStandardError();
  ChildOutputToStandardError(const ChildOutputToStandardError&) = delete;
  ChildOutputToStandardError& operator=(const ChildOutputToStandardError&) = delete;

 private:
  int saved_ = -1;  // the real standard output, -1 when it could not be kept
};

}  // namespace kelvo::cli
