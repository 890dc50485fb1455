// The local side of a download: the data goes into a temporary file beside
// the destination, which replaces the destination only once the server has
// confirmed the transfer and the data is on disk. Until then the previous
// file stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace kelvo {

// Returns the temporary file of a download to DESTINATION: in the same
// folder, named by a fixed prefix and a hash of the destination's name, so
// its length never grows with the destination's and a run that was killed
// left a file the next download to the same destination finds again.
std::string ftpTemporaryPath(const std::string& destination);

// Returns true when NAME (a file name without folder) has the form of
// ftpTemporaryPath's names: the prefix, sixteen hexadecimal digits and the
// suffix, nothing else.
bool isFtpTemporaryName(const std::string& name);

// Removes every regular file of FOLDER whose name isFtpTemporaryName, the
// leftovers of downloads that a killed run never finished; returns their
// names. Other files are never touched, and a file that cannot be removed
// is left (the next download to its destination removes it again).
std::vector<std::string> removeFtpTemporaryFiles(const std::string& folder);

class FtpDownloadFile {
 public:
  // Removes a temporary file a killed run left, then creates it afresh;
  // raises kelvo::Error "Cannot create file "DESTINATION". REASON" when it
  // cannot be made.
  explicit FtpDownloadFile(std::string destination);
  // Removes the temporary file unless commit() succeeded.
  ~FtpDownloadFile();
  FtpDownloadFile(const FtpDownloadFile&) = delete;
  FtpDownloadFile& operator=(const FtpDownloadFile&) = delete;

  void write(const char* data, std::size_t size);
  // Puts the data on disk and closes the temporary file; the download's
  // last bytes are in, its confirmation may still be on its way.
  void flush();
  // Puts the data on disk (flush), closes the temporary file and puts it in
  // the destination's place. The new name itself is on disk once the folder is
  // flushed (flushFolder), which a series of downloads does once at its end:
  // until then a power loss may bring back the old copy, never a partial one.
  void commit();

  const std::string& temporaryPath() const { return temporary_; }

 private:
  [[noreturn]] void failCreate(int error) const;
  [[noreturn]] void failWrite(int error) const;
  void discard();

  std::string destination_;
  std::string temporary_;
  std::FILE* file_ = nullptr;
  std::uint64_t written_ = 0;
  std::uint64_t queued_ = 0;  // bytes already handed to the disk's write-back
  bool committed_ = false;
};

}  // namespace kelvo
