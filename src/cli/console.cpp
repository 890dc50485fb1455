// Standard output, standard error and the updating line.
#include "cli/console.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define KELVO_ISATTY _isatty
#define KELVO_DUP _dup
#define KELVO_DUP2 _dup2
#define KELVO_CLOSE _close
#else
#include <unistd.h>
#define KELVO_ISATTY isatty
#define KELVO_DUP dup
#define KELVO_DUP2 dup2
#define KELVO_CLOSE close
#endif

namespace kelvo::cli {

Console::Console(std::ostream& out, std::ostream& err, bool terminal)
    : out_(out), err_(err), terminal_(terminal) {}

bool Console::standardErrorIsTerminal() { return KELVO_ISATTY(2) != 0; }

void Console::note(const std::string& line) {
  endUpdating();
  err_ << line << '\n' << std::flush;
}

void Console::update(const std::string& line) {
  if (!terminal_) return;
  // Carriage return, the text, then erase what an earlier, longer text left.
  err_ << '\r' << line << "\x1b[K" << std::flush;
  updating_ = true;
}

void Console::endUpdating() {
  if (!updating_) return;
  err_ << '\n' << std::flush;
  updating_ = false;
}

ChildOutputToStandardError::ChildOutputToStandardError() {
  std::cout.flush();
  std::fflush(stdout);
  saved_ = KELVO_DUP(1);
  if (saved_ >= 0 && KELVO_DUP2(2, 1) < 0) {
    KELVO_CLOSE(saved_);
    saved_ = -1;
  }
}

ChildOutputToStandardError::~ChildOutputToStandardError() {
  if (saved_ < 0) return;
  std::cout.flush();
  std::fflush(stdout);
  KELVO_DUP2(saved_, 1);
  KELVO_CLOSE(saved_);
}

}  // namespace kelvo::cli
