// Environment variables on POSIX: the bytes as they are (UTF-8 by convention).
#include <cstdlib>

#include "platform/environment.h"

namespace kelvo {

std::string environmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace kelvo
