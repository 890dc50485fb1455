// The local side of a download: the data goes into a temporary file beside
// the destination, which replaces the destination only once the server has
// confirmed the transfer. Until then the previous file stays as it was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kelvo {

class FtpDownloadFile {
 public:
  // Creates the temporary file; raises kelvo::Error
  // "Cannot create file "DESTINATION". REASON" when it cannot be made.
  explicit FtpDownloadFile(std::string destination);
  // Removes the temporary file unless commit() succeeded.
  ~FtpDownloadFile();
  FtpDownloadFile(const FtpDownloadFile&) = delete;
  FtpDownloadFile& operator=(const FtpDownloadFile&) = delete;

  void write(const char* data, std::size_t size);
  // Closes the temporary file and puts it in the destination's place.
  void commit();

  const std::string& temporaryPath() const { return temporary_; }

 private:
  [[noreturn]] void failCreate(int error) const;
  void discard();

  std::string destination_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

}  // namespace kelvo
