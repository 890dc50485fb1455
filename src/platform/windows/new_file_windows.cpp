// Files written whole before they take their name, on Windows.
#include <windows.h>

#include <utility>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/new_file.h"

namespace kelvo {

namespace {

std::wstring wide(const std::string& text) {
  const std::u16string w = utf8ToUtf16(text);
  return std::wstring(w.begin(), w.end());
}

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

Error fileError(const std::string& what, const std::string& path, DWORD code) {
  return Error(what + " " + path + ": " + systemErrorMessage(static_cast<int>(code)));
}

}  // namespace

NewFile NewFile::createIn(const std::string& folder, std::string_view prefix) {
  for (int attempt = 1;; ++attempt) {
    std::string path = temporaryPath(folder, prefix);
    // CREATE_NEW fails on any existing name, a link or junction included.
    HANDLE file = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
      return NewFile(std::move(path), reinterpret_cast<std::intptr_t>(file));
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_EXISTS || attempt == kAttempts) {
      throw fileError("Não foi possível criar arquivo em", folder, code);
    }
  }
}

NewFile::NewFile(NewFile&& other) noexcept
    : path_(std::move(other.path_)),
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

void NewFile::finish() {
  HANDLE file = handleOf(std::exchange(handle_, -1));
  const bool flushed = FlushFileBuffers(file) != 0;
  const DWORD flush_code = GetLastError();
  const bool closed = CloseHandle(file) != 0;
  if (!flushed || !closed) {
    throw fileError("Não foi possível gravar", path_, flushed ? GetLastError() : flush_code);
  }
}

bool NewFile::publishAs(const std::string& target) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing TARGET.
  if (!MoveFileExW(wide(path_).c_str(), wide(target).c_str(), MOVEFILE_WRITE_THROUGH)) {
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS) return false;
    throw fileError("Não foi possível gravar", target, code);
  }
  path_ = target;
  published_ = true;
  return true;
}

}  // namespace kelvo
