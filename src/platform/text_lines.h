// Dividing text into lines at CR LF, a lone CR or a lone LF.
#pragma once

#include <string_view>
#include <vector>

namespace kelvo {

// Returns the lines of TEXT, without their breaks. A final break ends the
// last line and adds no empty one; an empty text has no lines.
template <class Char>
std::vector<std::basic_string_view<Char>> splitLines(std::basic_string_view<Char> text) {
  std::vector<std::basic_string_view<Char>> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != Char('\r') && text[i] != Char('\n')) continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace kelvo
