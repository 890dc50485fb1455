// Temporary download files and their replacement of the destination.
#include "access/ftp/ftp_download_file.h"

#include <cerrno>
#include <filesystem>
#include <random>

#include "platform/error.h"
#include "platform/files.h"

namespace kelvo {

namespace {

std::string randomSuffix() {
  static std::mt19937_64 generator{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string suffix;
  std::uint64_t value = generator();
  for (int i = 0; i < 12; ++i, value >>= 4) suffix += kDigits[value & 15];
  return suffix;
}

}  // namespace

FtpDownloadFile::FtpDownloadFile(std::string destination) : destination_(std::move(destination)) {
  if (directoryExists(destination_)) failCreate(EISDIR);
  for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
    temporary_ = destination_ + ".~" + randomSuffix() + ".part";
    errno = 0;
    file_ = std::fopen(temporary_.c_str(), "wbx");
    if (file_ == nullptr && errno != EEXIST) failCreate(errno);
  }
  if (file_ == nullptr) failCreate(EEXIST);
  // The client hands over large blocks already; a stdio buffer would only
  // copy them once more.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  // A replaced program keeps the permissions it had (its execute bit above all).
  std::error_code ignored;
  const auto previous = std::filesystem::status(destination_, ignored);
  if (std::filesystem::exists(previous)) {
    std::filesystem::permissions(temporary_, previous.permissions(), ignored);
  }
}

FtpDownloadFile::~FtpDownloadFile() {
  if (!committed_) discard();
}

void FtpDownloadFile::write(const char* data, std::size_t size) {
  if (std::fwrite(data, 1, size, file_) != size) {
    const int error = errno;
    throw Error("Cannot write file \"" + destination_ + "\". " + systemErrorMessage(error));
  }
}

void FtpDownloadFile::commit() {
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0) {
    const int error = errno;
    throw Error("Cannot write file \"" + destination_ + "\". " + systemErrorMessage(error));
  }
  if (!replaceFile(temporary_, destination_)) failCreate(errno);
  committed_ = true;
}

void FtpDownloadFile::failCreate(int error) const {
  throw Error("Cannot create file \"" + destination_ + "\". " + systemErrorMessage(error));
}

void FtpDownloadFile::discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) std::remove(temporary_.c_str());
}

}  // namespace kelvo
