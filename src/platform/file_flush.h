// Putting written data on the disk: a file's data before it replaces an
// older copy, the write-back of a long file started while it is written,
// and a folder's entries once a series of replacements is done.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kelvo {

// Puts what was written to FILE on the disk; returns 0, or the error
// number when that failed.
int flushFileData(std::FILE* file);

// Starts writing LENGTH bytes of FILE from OFFSET to the disk without
// waiting for them, so that a later flushFileData finds little left to do.
// Where the system offers no such request it does nothing.
void startWriteBack(std::FILE* file, std::uint64_t offset, std::uint64_t length);

// Puts FOLDER's entries (names created, replaced or removed in it) on the
// disk, where the system keeps them apart from the files' data. A failure
// loses only the durability of those names and is not reported.
void flushFolder(const std::string& folder);

}  // namespace kelvo
