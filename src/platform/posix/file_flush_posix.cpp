// Flushes to the disk on POSIX.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_flush.h"

namespace kelvo {

int flushFileData(std::FILE* file) { return fsync(fileno(file)) == 0 ? 0 : errno; }

void startWriteBack([[maybe_unused]] std::FILE* file, [[maybe_unused]] std::uint64_t offset,
                    [[maybe_unused]] std::uint64_t length) {
#if defined(__linux__)
  sync_file_range(fileno(file), static_cast<off64_t>(offset), static_cast<off64_t>(length),
                  SYNC_FILE_RANGE_WRITE);
#endif
}

void flushFolder(const std::string& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace kelvo
