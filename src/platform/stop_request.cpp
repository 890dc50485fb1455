// The stop request itself; the signal sources are per platform.
#include "platform/stop_request.h"

#include <atomic>

namespace kelvo {

namespace {

// Lock-free, so that a signal handler may set it.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace

bool stopRequested() { return requested.load(std::memory_order_relaxed); }

void requestStop() { requested.store(true, std::memory_order_relaxed); }

void clearStopRequest() { requested.store(false, std::memory_order_relaxed); }

void throwIfStopRequested() {
  if (stopRequested()) throw Interrupted();
}

}  // namespace kelvo
