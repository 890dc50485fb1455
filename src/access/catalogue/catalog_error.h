// A failure reported by the central catalogue server or its client library.
#pragma once

#include "platform/error.h"

namespace kelvo {

class CatalogError : public Error {
 public:
  CatalogError(const std::string& message, unsigned code) : Error(message), code_(code) {}

  // Returns the server's or client library's error number (1045: access denied).
  unsigned code() const { return code_; }

 private:
  unsigned code_;
};

}  // namespace kelvo
