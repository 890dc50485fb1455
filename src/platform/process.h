// Processes and the shell: opening a document or address, starting a
// program without waiting for it, pausing the calling thread.
#pragma once

#include <string>

namespace kelvo {

// Which action the desktop shell takes on a target: its default one (what a
// double click does) or explicitly "open".
enum class ShellVerb { Default, Open };

// Asks the desktop shell to take VERB on TARGET (an address or a file) with
// its default program; returns false when the request could not be made.
bool shellOpen(const std::string& target, ShellVerb verb = ShellVerb::Open);

// Starts COMMAND_LINE (a Windows-style command line: program path, then
// arguments, double quotes grouping blanks) and returns without waiting;
// returns false when the program could not be started.
bool startProgram(const std::string& command_line);

// Runs COMMAND_LINE (as startProgram reads it), waits for the program to end
// and returns its exit code; returns -1 when it could not be started or did
// not end normally.
int runProgram(const std::string& command_line);

// Blocks the calling thread for MILLISECONDS.
void pauseMs(int milliseconds);

}  // namespace kelvo
