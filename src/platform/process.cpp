// Pausing, the same on every platform.
#include "platform/process.h"

#include <chrono>
#include <thread>

namespace kelvo {

void pauseMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace kelvo
