// Files written whole before they take their name, on POSIX.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/new_file.h"

namespace kelvo {

namespace {

Error fileError(const std::string& what, const std::string& path, int code) {
  return Error(what + " " + path + ": " + systemErrorMessage(code));
}

}  // namespace

NewFile NewFile::createIn(const std::string& folder, std::string_view prefix) {
  for (int attempt = 1;; ++attempt) {
    std::string path = temporaryPath(folder, prefix);
    // O_EXCL refuses an existing name, a link included.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) return NewFile(std::move(path), fd);
    if (errno != EEXIST || attempt == kAttempts) {
      throw fileError("Não foi possível criar arquivo em", folder, errno);
    }
  }
}

NewFile::NewFile(NewFile&& other) noexcept
    : path_(std::move(other.path_)),
      handle_(std::exchange(other.handle_, -1)),
      published_(std::exchange(other.published_, true)) {}

NewFile::~NewFile() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  if (!published_) unlink(path_.c_str());
}

void NewFile::write(std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(static_cast<int>(handle_), data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0)
      throw fileError("Não foi possível gravar", path_, written < 0 ? errno : ENOSPC);
    data.remove_prefix(static_cast<std::size_t>(written));
  }
}

void NewFile::finish() {
  const int fd = static_cast<int>(std::exchange(handle_, -1));
  const bool synced = fsync(fd) == 0;
  const int sync_code = errno;
  const bool closed = close(fd) == 0;
  if (!synced || !closed)
    throw fileError("Não foi possível gravar", path_, synced ? errno : sync_code);
}

bool NewFile::publishAs(const std::string& target) {
  // A hard link fails on any existing TARGET instead of replacing it, as a
  // rename would.
  if (link(path_.c_str(), target.c_str()) != 0) {
    if (errno == EEXIST) return false;
    throw fileError("Não foi possível gravar", target, errno);
  }
  unlink(path_.c_str());
  path_ = target;
  published_ = true;
  return true;
}

}  // namespace kelvo
