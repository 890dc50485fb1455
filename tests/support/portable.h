// Portable forms of the POSIX calls the tests use, so that one test source
// builds for POSIX and for Windows.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#ifdef _WIN32
#include "platform/codepage.h"
#else
#include <sys/wait.h>
#endif

namespace kelvo::test {

// Sets the environment variable NAME to VALUE (UTF-8) for this process and
// the programs it starts.
inline void setEnv(const char* name, const std::string& value) {
#ifdef _WIN32
  // The wide form keeps a value outside the ANSI code page; an empty value
  // would remove the variable there, so it is never passed.
  const std::u16string wide_name = utf8ToUtf16(name);
  const std::u16string wide_value = utf8ToUtf16(value.empty() ? " " : value);
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

// Returns PATH as UTF-8, the form the program's own functions take.
inline std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// Returns the path named by the UTF-8 text TEXT.
inline std::filesystem::path pathOf(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// Returns the exit code in the status std::system() returned, or -1 when
// the command did not end normally.
inline int exitCode(int status) {
#ifdef _WIN32
  return status;
#else
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace kelvo::test
