// The ANSI code page on POSIX: Windows-1252 from a built-in table, or any
// iconv encoding named by KELVOUPDATE_ANSI_CODEPAGE.
#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/error.h"

namespace kelvo {

namespace {

// Code points of bytes 0x80..0x9F in Windows-1252. The five bytes the code
// page leaves undefined map to the C1 control of the same value, as Windows
// itself converts them, so every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isBuiltIn(const std::string& name) {
  return name == "WINDOWS-1252" || name == "CP1252";
}

int toCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
  }
  return '?';
}

// Converts with iconv one character at a time, so that an unmappable
// character becomes '?' without losing the rest of the text.
std::string iconvConvert(const std::string& to, const std::string& from, std::string_view text,
                         bool from_utf8) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw Error("Unknown ANSI code page " + (from_utf8 ? to : from));
  }
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t next = pos;
    if (from_utf8) {
      decodeUtf8(text, next);
    } else {
      next = pos + 1;
    }
    std::string piece(text.substr(pos, next - pos));
    char buffer[16];
    char* in_ptr = piece.data();
    std::size_t in_left = piece.size();
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) {
      out += from_utf8 ? "?" : "\xEF\xBF\xBD";
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else {
      out.append(buffer, out_ptr);
    }
    pos = next;
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string ansiCodePageName() {
  const char* configured = std::getenv("KELVOUPDATE_ANSI_CODEPAGE");
  if (configured == nullptr || *configured == '\0') return "WINDOWS-1252";
  std::string name(configured);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::string utf8ToAnsi(std::string_view text) {
  const std::string name = ansiCodePageName();
  if (!isBuiltIn(name)) return iconvConvert(name, "UTF-8", text, true);
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    out += static_cast<char>(toCp1252(decodeUtf8(text, pos)));
  }
  return out;
}

std::string ansiToUtf8(std::string_view text) {
  const std::string name = ansiCodePageName();
  if (!isBuiltIn(name)) return iconvConvert("UTF-8", name, text, false);
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte);
  }
  return out;
}

}  // namespace kelvo
