// Flushes to the disk on Windows.
#include <io.h>

#include <cerrno>

#include "platform/file_flush.h"

namespace kelvo {

int flushFileData(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 0 : errno; }

// The system writes a file's cache back by itself; the flush at the end
// (FlushFileBuffers behind _commit) waits only for what is left.
void startWriteBack(std::FILE*, std::uint64_t, std::uint64_t) {}

// A replacement is written through to the disk by the move itself
// (replaceFile); the folder has nothing of its own to flush.
void flushFolder(const std::string&) {}

}  // namespace kelvo
