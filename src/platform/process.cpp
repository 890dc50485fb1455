// Pausing, the same on every platform.
#include <chrono>
#include <thread>

#include "platform/process.h"

namespace kelvo {

void pauseMs(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace kelvo
