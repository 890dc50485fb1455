// The one call that differs between platforms in reading local time.
#pragma once

#include <ctime>

namespace kelvo {

// Returns the local calendar time of T, by the system's time zone rules.
std::tm localTm(std::time_t t);

}  // namespace kelvo
