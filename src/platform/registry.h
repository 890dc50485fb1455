// Read-only access to the Windows registry: the registry itself on Windows,
// a file in the registry editor's export format (.reg) elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/error.h"

namespace kelvo {

// The predefined keys a key path starts from.
enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// A registry value as the system reads it: text (UTF-8) or a signed 32-bit integer.
using RegistryValue = std::variant<std::string, std::int32_t>;

// Windows error codes the registry reader raises.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorCantRead = 1012;

// A registry read that failed; the text is the system's message for code().
class RegistryError : public Error {
 public:
  RegistryError(int code, const std::string& text) : Error(text), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// Returns the value VALUE_NAME of the key KEY_PATH under ROOT, without any
// registry-view flag (a 32-bit process sees the 32-bit view). A KEY_PATH that
// begins with a backslash starts at ROOT. Text and expandable text are
// returned as text (not expanded), a 32-bit integer as an integer, binary
// data as the text of its bytes in the ANSI code page. Throws RegistryError
// with the system's message: for a key that cannot be opened, the code of
// that failure; for a missing value or any other type, code 1012.
RegistryValue readRegistryValue(RegistryRoot root, std::string_view key_path,
                                std::string_view value_name);

// Returns the system's message for the Windows error CODE (on POSIX the
// English text Windows gives for the codes the registry reader raises).
std::string registryErrorMessage(int code);

// Returns the registry stand-in file used on POSIX: KELVOUPDATE_REGISTRY when
// set, else registry.reg beside the alias file ($XDG_CONFIG_HOME/kelvoupdate,
// else $HOME/.config/kelvoupdate). Throws Error when none of them is set.
std::string registryFilePath();

}  // namespace kelvo
