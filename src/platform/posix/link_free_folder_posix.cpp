// Folders opened without following links, on POSIX: each step through
// openat with O_NOFOLLOW, relative to the folder before it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/link_free_folder.h"

namespace kelvo {

namespace {

Error folderError(const std::string& path, int code) {
  return Error("Não foi possível abrir a pasta " + path + ": " + systemErrorMessage(code));
}

}  // namespace

LinkFreeFolder::LinkFreeFolder(const std::string& root)
    : path_(root.empty() ? "." : root), handle_(-1) {
  handle_ = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle_ < 0) throw folderError(path_, errno);
}

void LinkFreeFolder::release() noexcept {
  if (handle_ >= 0) close(static_cast<int>(std::exchange(handle_, -1)));
}

LinkFreeFolder LinkFreeFolder::open(const std::string& name, bool create) const {
  const int folder = static_cast<int>(handle_);
  std::string path = joinPath(path_, name);
  if (create && mkdirat(folder, name.c_str(), 0755) != 0 && errno != EEXIST) {
    throw Error("Não foi possível criar a pasta " + path + ": " + systemErrorMessage(errno));
  }
  const int fd = openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0) return LinkFreeFolder(std::move(path), fd);
  const int code = errno;
  if (holdsLink(name)) throw Error(path + " é um link simbólico, que não é seguido");
  throw folderError(path, code);
}

bool LinkFreeFolder::holdsLink(const std::string& name) const {
  struct stat status {};
  return fstatat(static_cast<int>(handle_), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISLNK(status.st_mode);
}

}  // namespace kelvo
