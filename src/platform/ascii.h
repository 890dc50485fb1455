// ASCII-only case folding, trimming and case-insensitive comparison. Nothing
// beyond ASCII is ever folded: bytes from 0x80 up are parts of UTF-8 sequences
// or ANSI letters whose case is the code page's business, and folding them
// could make a foreign name match an ASCII keyword.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// Returns C upper-cased when it is a letter a to z, otherwise C.
constexpr char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Returns C lower-cased when it is a letter A to Z, otherwise C.
constexpr char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Returns the UTF-16 code unit C upper-cased when it is a letter a to z,
// otherwise C.
constexpr char16_t upperAscii(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Returns TEXT with the letters a to z upper-cased.
std::string upperAscii(std::string_view text);

// Returns TEXT with the letters A to Z lower-cased.
std::string lowerAscii(std::string_view text);

// Returns true for a blank or a control character (every byte up to ' ').
constexpr bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Returns TEXT without the leading and trailing characters that occur in SET.
std::string_view trimAnyOf(std::string_view text, std::string_view set);

// Returns TEXT without leading and trailing blanks (' ' only).
std::string_view trimBlanks(std::string_view text);

// Returns TEXT without leading and trailing blanks and tabs.
std::string_view trimBlanksAndTabs(std::string_view text);

// Returns TEXT without leading and trailing blanks and control characters.
std::string_view trimBlanksAndControls(std::string_view text);

// Returns true when A equals B, ASCII letters compared in any case.
bool equalsNoCase(std::string_view a, std::string_view b);

// Returns true when TEXT starts with PREFIX, ASCII letters compared in any case.
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// The same two comparisons over UTF-16 code units.
bool equalsNoCase(std::u16string_view a, std::u16string_view b);
bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix);

}  // namespace kelvo
