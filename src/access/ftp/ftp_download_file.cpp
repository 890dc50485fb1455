// Temporary download files and their replacement of the destination.
#include "access/ftp/ftp_download_file.h"

#include <cerrno>
#include <filesystem>

#include "platform/error.h"
#include "platform/file_flush.h"
#include "platform/files.h"
#include "platform/native_path.h"

namespace kelvo {

namespace {

// Names of temporary files start with this; a hash of the destination's
// name follows.
constexpr const char* kTemporaryPrefix = ".kelvo-";
constexpr const char* kTemporarySuffix = ".part";

// Written data is handed to the disk in steps of this size while the
// download runs, so that the flush before the replacement finds little left
// to write and the transfer keeps its speed.
constexpr std::uint64_t kWriteBackStep = 4 * 1024 * 1024;

std::uint64_t hashOf(const std::string& text) {
  // FNV-1a, 64 bits: stable across runs and builds.
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::string ftpTemporaryPath(const std::string& destination) {
  const std::filesystem::path path = filePath(destination);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string name = kTemporaryPrefix;
  std::uint64_t value = hashOf(utf8Text(path.filename()));
  for (int i = 0; i < 16; ++i, value >>= 4) name += kDigits[value & 15];
  name += kTemporarySuffix;
  return utf8Text(path.parent_path() / name);
}

bool isFtpTemporaryName(const std::string& name) {
  const std::string prefix = kTemporaryPrefix;
  const std::string suffix = kTemporarySuffix;
  if (name.size() != prefix.size() + 16 + suffix.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
  for (std::size_t i = prefix.size(); i < prefix.size() + 16; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

std::vector<std::string> removeFtpTemporaryFiles(const std::string& folder) {
  std::vector<std::string> removed;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code ignored;
    if (!isFtpTemporaryName(name) || !it->is_regular_file(ignored)) continue;
    if (std::filesystem::remove(it->path(), ignored)) removed.push_back(name);
  }
  return removed;
}

FtpDownloadFile::FtpDownloadFile(std::string destination)
    : destination_(std::move(destination)), temporary_(ftpTemporaryPath(destination_)) {
  if (directoryExists(destination_)) failCreate(EISDIR);
  // A run killed mid-download left its temporary file; it is of no use.
  if (!deleteFile(temporary_) && fileExists(temporary_)) failCreate(errno);
  errno = 0;
  file_ = openFile(temporary_, "wbx");
  if (file_ == nullptr) failCreate(errno);
  // The client hands over large blocks already; a stdio buffer would only
  // copy them once more.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  // A replaced program keeps the permissions it had (its execute bit above all).
  std::error_code ignored;
  const auto previous = std::filesystem::status(filePath(destination_), ignored);
  if (std::filesystem::exists(previous)) {
    std::filesystem::permissions(filePath(temporary_), previous.permissions(), ignored);
  }
}

FtpDownloadFile::~FtpDownloadFile() {
  if (!committed_) discard();
}

void FtpDownloadFile::write(const char* data, std::size_t size) {
  if (std::fwrite(data, 1, size, file_) != size) failWrite(errno);
  written_ += size;
  if (written_ - queued_ >= kWriteBackStep) {
    startWriteBack(file_, queued_, written_ - queued_);
    queued_ = written_;
  }
}

void FtpDownloadFile::flush() {
  if (file_ == nullptr) return;
  const int flushError = flushFileData(file_);
  std::FILE* file = file_;
  file_ = nullptr;
  if (std::fclose(file) != 0 || flushError != 0) failWrite(flushError != 0 ? flushError : errno);
}

void FtpDownloadFile::commit() {
  // The data must be on disk before it replaces the old file: a power loss
  // just after the replacement must not leave an empty program behind.
  flush();
  if (!replaceFile(temporary_, destination_)) failCreate(errno);
  committed_ = true;
}

void FtpDownloadFile::failCreate(int error) const {
  throw Error("Cannot create file \"" + destination_ + "\". " + errorNumberMessage(error));
}

void FtpDownloadFile::failWrite(int error) const {
  throw Error("Cannot write file \"" + destination_ + "\". " + errorNumberMessage(error));
}

void FtpDownloadFile::discard() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  deleteFile(temporary_);
}

}  // namespace kelvo
