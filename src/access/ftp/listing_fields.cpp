// Field splitting and number reading for the listing formats.
#include "access/ftp/listing_fields.h"

#include <charconv>
#include <limits>

namespace kelvo::listing {

namespace {

template <typename T>
std::optional<T> toNumber(std::string_view text) {
  if (!isDigits(text)) return std::nullopt;
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<Field> splitFields(std::string_view line) {
  std::vector<Field> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size()) break;
    const std::size_t begin = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    fields.push_back({line.substr(begin, i - begin), begin, i});
  }
  return fields;
}

bool isBlankLine(std::string_view line) {
  for (char c : line) {
    if (!isBlank(c)) return false;
  }
  return true;
}

bool isDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<int> toInt(std::string_view text) { return toNumber<int>(text); }

std::optional<std::int64_t> toInt64(std::string_view text) { return toNumber<std::int64_t>(text); }

}  // namespace kelvo::listing
