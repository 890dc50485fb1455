// A check a download must pass before it replaces the local copy: it sees
// every block as it is written and may stop the transfer, and it has the
// last word once the server confirmed the transfer.
#pragma once

#include <cstddef>

namespace kelvo {

class FtpDownloadCheck {
 public:
  virtual ~FtpDownloadCheck() = default;
  // Called with each block before it is written; raises to stop the
  // download, the local copy staying as it was.
  virtual void data(const char* bytes, std::size_t size) = 0;
  // Called after the last block, once the server confirmed the transfer;
  // raises to keep the local copy as it was.
  virtual void complete() = 0;
};

}  // namespace kelvo
