// The one base class of every failure the system raises.
#pragma once

#include <stdexcept>
#include <string>

namespace kelvo {

// A failure with the exact text the operator or a failure record will show.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kelvo
