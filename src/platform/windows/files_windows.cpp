// File system access on Windows (wide-character API).
#include <windows.h>

#include <cstring>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/wildcard.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

const char kPathDelimiter = '\\';

namespace {

// FILETIME (UTC) <-> local TDateTime through the system's own conversions.
TDateTime toDateTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st;
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &st);
  return composeDateTime(encodeDate(st.wYear, st.wMonth, st.wDay),
                         encodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

}  // namespace

std::vector<std::string> findEntries(std::string_view mask) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data;
  HANDLE handle = FindFirstFileW(wide(std::string(mask)).c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(narrow(data.cFileName));
  } while (FindNextFileW(handle, &data));
  FindClose(handle);
  return names;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<TDateTime> fileLastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return toDateTime(data.ftLastWriteTime);
}

bool setFileLastWriteTime(const std::string& path, TDateTime time) {
  const DateParts d = decodeDate(time);
  const TimeParts t = decodeTime(time);
  SYSTEMTIME st{
      static_cast<WORD>(d.year),   static_cast<WORD>(d.month),      0,
      static_cast<WORD>(d.day),    static_cast<WORD>(t.hour),       static_cast<WORD>(t.minute),
      static_cast<WORD>(t.second), static_cast<WORD>(t.millisecond)};
  FILETIME local, utc;
  if (!SystemTimeToFileTime(&st, &local) || !LocalFileTimeToFileTime(&local, &utc)) return false;
  HANDLE file = CreateFileW(wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool ok = SetFileTime(file, nullptr, nullptr, &utc) != 0;
  CloseHandle(file);
  return ok;
}

bool copyFileNoOverwrite(const std::string& source, const std::string& target) {
  return CopyFileW(wide(source).c_str(), wide(target).c_str(), TRUE) != 0;
}

bool deleteFile(const std::string& path) { return DeleteFileW(wide(path).c_str()) != 0; }

bool replaceFile(const std::string& source, const std::string& target) {
  return MoveFileExW(wide(source).c_str(), wide(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string errorNumberMessage(int code) { return std::strerror(code); }

std::FILE* openFile(const std::string& path, const char* mode) {
  return _wfopen(wide(path).c_str(), wide(mode).c_str());
}

std::string systemErrorMessage(int code) {
  wchar_t* buffer = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = buffer ? narrow(buffer) : std::string();
  LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace kelvo
