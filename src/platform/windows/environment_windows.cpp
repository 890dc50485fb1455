// Environment variables on Windows, read through the wide-character API.
#include <windows.h>

#include <vector>

#include "platform/environment.h"
#include "platform/windows/wide_text.h"

namespace kelvo {

std::string environmentVariable(const char* name) {
  const std::wstring wide_name = wide(name);
  const DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::vector<wchar_t> value(size);
  const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), value.data(), size);
  if (length == 0 || length >= size) return {};
  return narrow(std::wstring_view(value.data(), length));
}

}  // namespace kelvo
