// The registry on Windows, read-only, in the view a process of this bitness
// sees (no registry-view flag is passed).
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

namespace {

HKEY rootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::Users:
      return HKEY_USERS;
    case RegistryRoot::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
  }
  return HKEY_LOCAL_MACHINE;
}

[[noreturn]] void raise(LONG code) {
  throw RegistryError(static_cast<int>(code), registryErrorMessage(static_cast<int>(code)));
}

// Closes the key on every path, the error paths included.
class OpenKey {
 public:
  OpenKey(HKEY root, const std::wstring& path) {
    const LONG rc = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key_);
    if (rc != ERROR_SUCCESS) raise(rc);
  }
  ~OpenKey() { RegCloseKey(key_); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

std::string registryErrorMessage(int code) { return systemErrorMessage(code); }

std::string registryFilePath() { throw Error("The registry stand-in file is not used on Windows"); }

RegistryValue readRegistryValue(RegistryRoot root, std::string_view key_path,
                                std::string_view value_name) {
  while (key_path.starts_with('\\')) key_path.remove_prefix(1);
  const OpenKey key(rootKey(root), wide(key_path));
  const std::wstring name = wide(value_name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    raise(ERROR_CANTREAD);
  }
  std::vector<BYTE> data(size + sizeof(wchar_t));
  DWORD read = size;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &read) !=
      ERROR_SUCCESS) {
    raise(ERROR_CANTREAD);
  }
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::u16string text;
      for (DWORD i = 0; i + 1 < read; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) break;
        text += unit;
      }
      return utf16ToUtf8(text);
    }
    case REG_DWORD: {
      if (read != sizeof(DWORD)) raise(ERROR_CANTREAD);
      DWORD value = 0;
      std::memcpy(&value, data.data(), sizeof value);
      return static_cast<std::int32_t>(value);
    }
    case REG_BINARY:
      if (read != size) raise(ERROR_CANTREAD);
      return ansiToUtf8(std::string(data.begin(), data.begin() + read));
    default:
      raise(ERROR_CANTREAD);
  }
}

}  // namespace kelvo
