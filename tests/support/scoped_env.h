// An environment variable set (or removed) for one scope.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "support/portable.h"

namespace kelvo::test {

class ScopedEnv {
 public:
  // Sets NAME to VALUE, or removes it when VALUE is nullopt.
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) {
      setEnv(name, *value);
    } else {
      unsetEnv(name);
    }
  }
  ~ScopedEnv() {
    if (saved_) {
      setEnv(name_.c_str(), *saved_);
    } else {
      unsetEnv(name_.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace kelvo::test
