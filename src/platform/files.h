// The file system as the system uses it: the working folder's entries and
// single files by name. Paths are UTF-8; relative paths start at the
// working folder.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tdatetime.h"

namespace kelvo {

// The native folder separator ('\\' on Windows, '/' elsewhere).
extern const char kPathDelimiter;

// Returns FOLDER + separator + NAME (NAME alone when FOLDER is empty).
std::string joinPath(std::string_view folder, std::string_view name);

// Returns the bare names of every entry of the current working folder
// (files, folders, hidden entries, "." and ".." included) whose name matches
// MASK by the Windows wildcard rules, in the order the system lists them.
// A folder that cannot be read gives no names and no error.
std::vector<std::string> findEntries(std::string_view mask);

// Returns true when PATH names an existing file (not a folder).
bool fileExists(const std::string& path);

// Returns true when PATH names an existing folder.
bool directoryExists(const std::string& path);

// Returns the last-write time of PATH in local time, or nothing when the file
// cannot be read.
std::optional<TDateTime> fileLastWriteTime(const std::string& path);

// Sets the last-write time of PATH (local time); returns false on failure.
bool setFileLastWriteTime(const std::string& path, TDateTime time);

// Copies SOURCE to TARGET unless TARGET exists; returns false when it exists
// or the copy failed (a partial target is removed).
bool copyFileNoOverwrite(const std::string& source, const std::string& target);

// Deletes the file PATH; returns false when it could not be deleted.
bool deleteFile(const std::string& path);

// Replaces TARGET by SOURCE in one step where the system allows it; returns
// false (and leaves TARGET as it was) on failure.
bool replaceFile(const std::string& source, const std::string& target);

// Returns the text of the operating system's message for an error number.
std::string systemErrorMessage(int code);

// Returns the C library's text for the error number CODE (errno), on every
// platform; on Windows errno numbers are not the system's error codes.
std::string errorNumberMessage(int code);

// Opens the file PATH (UTF-8) with the C library's MODE, as std::fopen does;
// on Windows through the wide-character call, so that a name outside the
// ANSI code page is kept. Returns null with errno set on failure.
std::FILE* openFile(const std::string& path, const char* mode);

}  // namespace kelvo
