// Local calendar time on Windows: the C runtime's reentrant call, whose
// arguments come in the opposite order to the POSIX one.
#include "platform/local_tm.h"

namespace kelvo {

std::tm localTm(std::time_t t) {
  std::tm local{};
  localtime_s(&local, &t);
  return local;
}

}  // namespace kelvo
