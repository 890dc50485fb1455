// SIGINT and SIGTERM become a stop request.
#include <signal.h>

#include <atomic>

#include "platform/stop_request.h"

namespace kelvo {

namespace {

std::atomic<bool> watching{false};

// A repeated signal is the same request again: timeout(1) and service
// managers send SIGTERM both to the program and to its process group.
void onStopSignal(int) { requestStop(); }

void install(int number) {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // Interrupted system calls resume: the run notices the request at its own
  // safe points, where every wait is bounded.
  action.sa_flags = SA_RESTART;
  ::sigaction(number, &action, nullptr);
}

bool installed(int number) {
  struct sigaction current {};
  ::sigaction(number, nullptr, &current);
  return current.sa_handler == onStopSignal;
}

}  // namespace

void watchStopSignals() {
  install(SIGINT);
  install(SIGTERM);
  watching = true;
}

void reclaimStopSignals() {
  if (!watching) return;
  for (const int number : {SIGINT, SIGTERM}) {
    if (!installed(number)) install(number);
  }
}

}  // namespace kelvo
