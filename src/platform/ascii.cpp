// ASCII-only case folding, trimming and case-insensitive comparison.
#include "platform/ascii.h"

#include <algorithm>

namespace kelvo {

namespace {

template <typename Char>
bool sameNoCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](Char x, Char y) {
           return upperAscii(x) == upperAscii(y);
         });
}

template <typename Char>
bool startsNoCase(std::basic_string_view<Char> text, std::basic_string_view<Char> prefix) {
  return text.size() >= prefix.size() && sameNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upperAscii(c);
  return out;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lowerAscii(c);
  return out;
}

std::string_view trimAnyOf(std::string_view text, std::string_view set) {
  const auto first = text.find_first_not_of(set);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(set) - first + 1);
}

std::string_view trimBlanks(std::string_view text) { return trimAnyOf(text, " "); }

std::string_view trimBlanksAndTabs(std::string_view text) { return trimAnyOf(text, " \t"); }

std::string_view trimBlanksAndControls(std::string_view text) {
  while (!text.empty() && isBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

bool equalsNoCase(std::string_view a, std::string_view b) { return sameNoCase(a, b); }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return startsNoCase(text, prefix);
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) { return sameNoCase(a, b); }

bool startsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return startsNoCase(text, prefix);
}

}  // namespace kelvo
