// Portable forms of the POSIX calls the tests use, so that one test source
// builds for POSIX and for Windows.
#pragma once

#include <cstdlib>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "platform/codepage.h"
#endif

namespace kelvo::test {

// Sets the environment variable NAME to VALUE (UTF-8) for this process and
// the programs it starts (on Windows an empty VALUE removes NAME).
inline void setEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  // The wide form keeps a value outside the ANSI code page. Windows keeps no
  // empty variables: an empty VALUE removes NAME, which every reader here
  // takes as the same.
  const std::u16string wide_name = utf8ToUtf16(name);
  const std::u16string wide_value = utf8ToUtf16(value);
  _wputenv_s(reinterpret_cast<const wchar_t*>(wide_name.c_str()),
             reinterpret_cast<const wchar_t*>(wide_value.c_str()));
#else
  ::setenv(name, value.c_str(), 1);
#endif
}

// Removes the environment variable NAME.
inline void unsetEnv(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");
#else
  ::unsetenv(name);
#endif
}

// Returns true when the program runs under Wine rather than Windows.
inline bool runningUnderWine() {
#ifdef _WIN32
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace kelvo::test
