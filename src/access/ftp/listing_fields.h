// Small text helpers shared by the listing formats: blank-separated fields
// that remember where they stand in the line, and strict number reading.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kelvo::listing {

struct Field {
  std::string_view text;
  std::size_t begin = 0;  // offset of the first character in the line
  std::size_t end = 0;    // offset just past the last character
};

// Returns true for the characters that separate fields (blank and tab).
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Returns the fields of LINE separated by runs of blanks.
std::vector<Field> splitFields(std::string_view line);

// Returns true when LINE holds nothing but blanks.
bool isBlankLine(std::string_view line);

// Returns true when TEXT is one or more ASCII digits.
bool isDigits(std::string_view text);

// Returns the value of TEXT when it is all digits and fits an int.
std::optional<int> toInt(std::string_view text);

// Returns the value of TEXT when it is all digits and fits 64 bits.
std::optional<std::int64_t> toInt64(std::string_view text);

}  // namespace kelvo::listing
