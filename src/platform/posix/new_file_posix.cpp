// Files written whole before they take their name, on POSIX. Every call is
// relative to the folder's descriptor, so the path to it is walked once.
#include <fcntl.h>
#include <sys/stat.h>
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

NewFile NewFile::createIn(LinkFreeFolder folder, std::string_view prefix) {
  for (int attempt = 1;; ++attempt) {
    std::string name = temporaryName(prefix);
    // O_EXCL refuses an existing name, a link included.
    const int fd = openat(static_cast<int>(folder.handle()), name.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0) return NewFile(std::move(folder), std::move(name), fd);
    if (errno != EEXIST || attempt == kAttempts) {
      throw fileError("Não foi possível criar arquivo em", folder.path(), errno);
    }
  }
}

NewFile::NewFile(NewFile&& other) noexcept
    : folder_(std::move(other.folder_)),
      name_(std::move(other.name_)),
      path_(std::move(other.path_)),
      handle_(std::exchange(other.handle_, -1)),
      published_(std::exchange(other.published_, true)) {}

NewFile::~NewFile() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  if (!published_) unlinkat(static_cast<int>(folder_.handle()), name_.c_str(), 0);
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

void NewFile::setPermissions(unsigned mode) {
  fchmod(static_cast<int>(handle_), static_cast<mode_t>(mode));
}

void NewFile::setLastWriteTime(std::int64_t seconds, long nanoseconds) {
  const timespec times[2] = {{static_cast<time_t>(seconds), nanoseconds},
                             {static_cast<time_t>(seconds), nanoseconds}};
  futimens(static_cast<int>(handle_), times);
}

void NewFile::finish() {
  const int fd = static_cast<int>(std::exchange(handle_, -1));
  const bool synced = fsync(fd) == 0;
  const int sync_code = errno;
  const bool closed = close(fd) == 0;
  if (!synced || !closed)
    throw fileError("Não foi possível gravar", path_, synced ? errno : sync_code);
}

bool NewFile::moveTo(const std::string& target, bool replacing) {
  const int folder = static_cast<int>(folder_.handle());
  const std::string name = nameOf(target);
  // A hard link fails on any existing name instead of replacing it, as a
  // rename would; a rename replaces a link itself, never what it names.
  const bool moved = replacing ? renameat(folder, name_.c_str(), folder, name.c_str()) == 0
                               : linkat(folder, name_.c_str(), folder, name.c_str(), 0) == 0;
  if (!moved) {
    if (!replacing && errno == EEXIST) return false;
    throw fileError("Não foi possível gravar", target, errno);
  }
  if (!replacing) unlinkat(folder, name_.c_str(), 0);
  name_ = name;
  path_ = joinedPath();
  published_ = true;
  return true;
}

}  // namespace kelvo
