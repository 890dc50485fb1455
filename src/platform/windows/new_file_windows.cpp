// Files written whole before they take their name, on Windows. The folder
// is held open (link_free_folder.h), so its path keeps naming it.
#include <windows.h>

#include <utility>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/new_file.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

namespace {

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

Error fileError(const std::string& what, const std::string& path, DWORD code) {
  return Error(what + " " + path + ": " + systemErrorMessage(static_cast<int>(code)));
}

}  // namespace

NewFile NewFile::createIn(LinkFreeFolder folder, std::string_view prefix) {
  for (int attempt = 1;; ++attempt) {
    std::string name = temporaryName(prefix);
    // CREATE_NEW fails on any existing name, a link or junction included.
    HANDLE file = CreateFileW(wide(joinPath(folder.path(), name)).c_str(),
                              GENERIC_WRITE | FILE_WRITE_ATTRIBUTES, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return NewFile(std::move(folder), std::move(name), reinterpret_cast<std::intptr_t>(file));
    }
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_EXISTS || attempt == kAttempts) {
      throw fileError("Não foi possível criar arquivo em", folder.path(), code);
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
  if (handle_ != -1) CloseHandle(handleOf(handle_));
  if (!published_) DeleteFileW(wide(path_).c_str());
}

void NewFile::write(std::string_view data) {
  while (!data.empty()) {
    const DWORD chunk = data.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(data.size());
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), data.data(), chunk, &written, nullptr) || written == 0) {
      throw fileError("Não foi possível gravar", path_, GetLastError());
    }
    data.remove_prefix(written);
  }
}

void NewFile::setPermissions(unsigned) {}

void NewFile::setLastWriteTime(std::int64_t seconds, long nanoseconds) {
  // FILETIME counts 100 ns steps from 1601-01-01.
  const std::int64_t ticks = seconds * 10000000 + nanoseconds / 100 + 116444736000000000;
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SetFileTime(handleOf(handle_), nullptr, nullptr, &time);
}

void NewFile::finish() {
  HANDLE file = handleOf(std::exchange(handle_, -1));
  const bool flushed = FlushFileBuffers(file) != 0;
  const DWORD flush_code = GetLastError();
  const bool closed = CloseHandle(file) != 0;
  if (!flushed || !closed) {
    throw fileError("Não foi possível gravar", path_, flushed ? GetLastError() : flush_code);
  }
}

bool NewFile::moveTo(const std::string& target, bool replacing) {
  const std::string destination = joinPath(folder_.path(), nameOf(target));
  // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing name.
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replacing ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!MoveFileExW(wide(path_).c_str(), wide(destination).c_str(), flags)) {
    const DWORD code = GetLastError();
    if (!replacing && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)) return false;
    throw fileError("Não foi possível gravar", target, code);
  }
  name_ = nameOf(target);
  path_ = destination;
  published_ = true;
  return true;
}

}  // namespace kelvo
