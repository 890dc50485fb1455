// The ANSI code page on Windows: the active code page of the process.
#include <windows.h>

#include <string>

#include "platform/codepage.h"

namespace kelvo {

std::string ansiCodePageName() { return "CP" + std::to_string(GetACP()); }

std::string utf8ToAnsi(std::string_view text) {
  // One '?' per missing character, as on POSIX: a character outside UTF-16's
  // first plane would otherwise give one for each of its two code units.
  std::u16string wide;
  for (const char16_t unit : utf8ToUtf16(text)) {
    if (unit >= 0xDC00 && unit <= 0xDFFF && !wide.empty() && wide.back() >= 0xD800 &&
        wide.back() <= 0xDBFF) {
      wide.back() = u'?';
    } else {
      wide += unit;
    }
  }
  if (wide.empty()) return {};
  const auto* w = reinterpret_cast<const wchar_t*>(wide.data());
  // No "best fit": a look-alike letter ('O' for an omega) would change a
  // name or a statement silently, where '?' shows that something is missing.
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(CP_ACP, flags, w, static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, flags, w, static_cast<int>(wide.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string ansiToUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                      reinterpret_cast<wchar_t*>(wide.data()), n);
  return utf16ToUtf8(wide);
}

}  // namespace kelvo
