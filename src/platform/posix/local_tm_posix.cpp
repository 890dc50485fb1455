// Local calendar time on POSIX: the reentrant call, so that no other thread's
// use of the C library's shared buffer can interfere.
#include "platform/local_tm.h"

namespace kelvo {

std::tm localTm(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}

}  // namespace kelvo
