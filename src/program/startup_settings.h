// The application object as the operator's program creates it. The program,
// the screenshot tool, the benchmarks and the GUI tests all start through
// here, so that what they draw is what the operator sees.
#pragma once

#include <memory>

class QApplication;

namespace kelvo {

// Creates the application object from the command line (ARGC, ARGV must
// outlive it) with every setting the program applies around its creation:
// anything that changes how the screens are drawn belongs here and nowhere
// else.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

}  // namespace kelvo
