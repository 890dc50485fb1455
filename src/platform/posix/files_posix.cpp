// File system access on POSIX.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/files.h"
#include "platform/wildcard.h"

namespace kelvo {

const char kPathDelimiter = '/';

std::vector<std::string> findEntries(std::string_view mask) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir("."), closedir);
  if (!dir) return names;
  while (const dirent* entry = readdir(dir.get())) {
    if (matchesWildcard(entry->d_name, mask)) names.emplace_back(entry->d_name);
  }
  return names;
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<TDateTime> fileLastWriteTime(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return fromUnixTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

bool setFileLastWriteTime(const std::string& path, TDateTime time) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // the access time stays as it is
  times[1].tv_sec = static_cast<time_t>(toUnixTime(time));
  times[1].tv_nsec = 0;
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool copyFileNoOverwrite(const std::string& source, const std::string& target) {
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  fstat(in, &st);
  const int out = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 0777);
  if (out < 0) {
    close(in);
    return false;
  }
  bool ok = true;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = write(out, buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        ok = false;
        break;
      }
      done += w;
    }
    if (!ok) break;
  }
  close(in);
  if (close(out) != 0) ok = false;
  if (ok) {
    // The copy keeps the source's modification time, as a Windows copy does.
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    utimensat(AT_FDCWD, target.c_str(), times, 0);
  } else {
    unlink(target.c_str());
  }
  return ok;
}

bool deleteFile(const std::string& path) {
  if (directoryExists(path)) return false;
  return unlink(path.c_str()) == 0;
}

bool replaceFile(const std::string& source, const std::string& target) {
  return rename(source.c_str(), target.c_str()) == 0;
}

std::string systemErrorMessage(int code) { return std::strerror(code); }

std::string errorNumberMessage(int code) { return std::strerror(code); }

std::FILE* openFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

}  // namespace kelvo
