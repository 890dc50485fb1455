// Processes and the shell: opening a document or address, starting a
// program without waiting for it, pausing the calling thread.
#pragma once

#include <string>

namespace kelvo {

// Asks the desktop shell to "open" TARGET (an address or a file) with its
// default program; returns false when the request could not be made.
bool shellOpen(const std::string& target);

// Starts COMMAND_LINE (a Windows-style command line: program path, then
// arguments, double quotes grouping blanks) and returns without waiting;
// returns false when the program could not be started.
bool startProgram(const std::string& command_line);

// Blocks the calling thread for MILLISECONDS.
void pauseMs(int milliseconds);

}  // namespace kelvo
