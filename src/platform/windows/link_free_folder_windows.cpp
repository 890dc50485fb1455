// Folders opened without following links, on Windows: each step opened as
// itself (FILE_FLAG_OPEN_REPARSE_POINT) and refused when it is a reparse
// point, a symbolic link or a junction. The handle is held without
// FILE_SHARE_DELETE, so the folder cannot be renamed or replaced while open
// and its path keeps naming it.
#include <windows.h>

#include <utility>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/link_free_folder.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

namespace {

Error folderError(const std::string& path, DWORD code) {
  return Error("Não foi possível abrir a pasta " + path + ": " +
               systemErrorMessage(static_cast<int>(code)));
}

HANDLE openFolder(const std::string& path, DWORD flags) {
  return CreateFileW(wide(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

}  // namespace

LinkFreeFolder::LinkFreeFolder(const std::string& root)
    : path_(root.empty() ? "." : root), handle_(-1) {
  HANDLE folder = openFolder(path_, 0);
  if (folder == INVALID_HANDLE_VALUE) throw folderError(path_, GetLastError());
  handle_ = reinterpret_cast<std::intptr_t>(folder);
}

void LinkFreeFolder::release() noexcept {
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(std::exchange(handle_, -1)));
}

LinkFreeFolder LinkFreeFolder::open(const std::string& name, bool create) const {
  std::string path = joinPath(path_, name);
  if (create && !CreateDirectoryW(wide(path).c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    throw Error("Não foi possível criar a pasta " + path + ": " +
                systemErrorMessage(static_cast<int>(GetLastError())));
  }
  HANDLE folder = openFolder(path, FILE_FLAG_OPEN_REPARSE_POINT);
  if (folder == INVALID_HANDLE_VALUE) throw folderError(path, GetLastError());
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(folder, &info) != 0;
  const DWORD code = GetLastError();
  if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    CloseHandle(folder);
    if (!known) throw folderError(path, code);
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      throw Error(path + " é um link simbólico ou junção, que não é seguido");
    }
    throw folderError(path, ERROR_DIRECTORY);
  }
  return LinkFreeFolder(std::move(path), reinterpret_cast<std::intptr_t>(folder));
}

bool LinkFreeFolder::holdsLink(const std::string& name) const {
  const DWORD attributes = GetFileAttributesW(wide(joinPath(path_, name)).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace kelvo
