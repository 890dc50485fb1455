// Text conversions at the system's edges: UTF-8 inside, the 8-bit (ANSI) code
// page for files, SQL and FTP names, UTF-16 where code units are computed on.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// Returns TEXT (UTF-8) in the ANSI code page; characters the code page lacks
// become '?', one for each (as the Windows conversion does without its "best fit").
std::string utf8ToAnsi(std::string_view text);

// Returns TEXT (ANSI code page bytes) as UTF-8. Every byte maps to a character.
std::string ansiToUtf8(std::string_view text);

// Returns TEXT (UTF-8) as UTF-16; malformed sequences become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);

// Returns TEXT (UTF-16) as UTF-8; unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

// Returns the name of the ANSI code page in use ("WINDOWS-1252" on POSIX
// unless KELVOUPDATE_ANSI_CODEPAGE names another iconv encoding).
std::string ansiCodePageName();

// Returns the code point decoded from UTF-8 at TEXT[POS] and advances POS
// past it; a malformed sequence yields U+FFFD and advances one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of CODE_POINT to OUT.
void appendUtf8(std::string& out, char32_t code_point);

// Returns at most COUNT characters (code points, as decodeUtf8 reads them)
// of the UTF-8 TEXT, starting at character FIRST (counted from 0).
std::string_view utf8Characters(std::string_view text, std::size_t first, std::size_t count);

}  // namespace kelvo
