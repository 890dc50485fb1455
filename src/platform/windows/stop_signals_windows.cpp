// The console's Ctrl-C, Ctrl-Break and close events become a stop request.
#include <windows.h>

#include <atomic>

#include "platform/stop_request.h"

namespace kelvo {

namespace {

std::atomic<bool> watching{false};

BOOL WINAPI onConsoleEvent(DWORD event) {
  requestStop();
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      return TRUE;
    default:
      // Closing the console, logging off or shutting down ends the process
      // once this handler returns: it waits so that the run reaches its
      // safe point and ends on its own; the system ends it after its limit.
      Sleep(10000);
      return TRUE;
  }
}

}  // namespace

void watchStopSignals() {
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
  watching = true;
}

void reclaimStopSignals() {
  if (!watching) return;
  // The last handler added is asked first: ours goes back to the front.
  SetConsoleCtrlHandler(onConsoleEvent, FALSE);
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

}  // namespace kelvo
