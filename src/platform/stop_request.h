// A request to stop the run, made by the operator (Ctrl-C, the close box) or
// by the system (a scheduler's SIGTERM, the console being closed). The run
// looks at it at its safe points and ends there; nothing is cut off midway.
#pragma once

#include "platform/error.h"

namespace kelvo {

// Raised at a safe point once a stop was requested. It is not a failure of
// the step it interrupts: no row turns red, no failure record is written.
class Interrupted : public Error {
 public:
  Interrupted() : Error("A atualização foi interrompida.") {}
};

// Returns true once a stop was requested.
bool stopRequested();
// Requests the stop (safe to call from a signal handler).
void requestStop();
// Forgets a request, for the next run of the same process.
void clearStopRequest();
// Raises Interrupted when a stop was requested.
void throwIfStopRequested();

// Turns the system's stop signals into a stop request: SIGINT and SIGTERM on
// POSIX, the console's Ctrl-C, Ctrl-Break and close events on Windows.
void watchStopSignals();
// Takes the stop signals back from a library that installed handlers of its
// own (the client database library does so when it attaches); does nothing
// unless watchStopSignals() was called.
void reclaimStopSignals();

}  // namespace kelvo
