// UTF-8 text to and from the wide (UTF-16) strings of the Windows API.
#pragma once

#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace kelvo {

// Returns TEXT (UTF-8) as a wide string for a Windows API call.
inline std::wstring wide(std::string_view text) {
  const std::u16string w = utf8ToUtf16(text);
  return std::wstring(w.begin(), w.end());
}

// Returns the wide string TEXT (UTF-16) as UTF-8.
inline std::string narrow(std::wstring_view text) {
  return utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace kelvo
