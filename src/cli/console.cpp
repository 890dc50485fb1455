// Standard output, standard error and the updating line.
#include "cli/console.h"

#ifdef _WIN32
#include <io.h>
#define KELVO_ISATTY _isatty
#define KELVO_STDERR 2
#else
#include <unistd.h>
#define KELVO_ISATTY isatty
#define KELVO_STDERR STDERR_FILENO
#endif

namespace kelvo::cli {

Console::Console(std::ostream& out, std::ostream& err, bool terminal)
    : out_(out), err_(err), terminal_(terminal) {}

bool Console::standardErrorIsTerminal() { return KELVO_ISATTY(KELVO_STDERR) != 0; }

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

}  // namespace kelvo::cli
