// The MS-DOS listing style of Windows servers: date, time, "<DIR>" or the
// size, then the name. A line that cannot be read is undated, never an error.
#include <optional>
#include <string>

#include "access/ftp/listing_fields.h"
#include "access/ftp/listing_formats.h"
#include "platform/ascii.h"

namespace kelvo::listing {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSeparator(char c) { return c == '-' || c == '/'; }

// "MM-DD-YY", "MM-DD-YYYY" or "YYYY-MM-DD", with "-" or "/".
bool looksLikeDate(std::string_view word) {
  const auto digitsAt = [&](std::size_t begin, std::size_t count) {
    return isDigits(word.substr(begin, count)) && word.substr(begin, count).size() == count;
  };
  if (word.size() == 10 && digitsAt(0, 4) && isSeparator(word[4]) && digitsAt(5, 2) &&
      isSeparator(word[7]) && digitsAt(8, 2)) {
    return true;
  }
  return (word.size() == 8 || word.size() == 10) && digitsAt(0, 2) && isSeparator(word[2]) &&
         digitsAt(3, 2) && isSeparator(word[5]) && digitsAt(6, word.size() - 6);
}

// "HH:MM", "HH:MM:SS", either with an "AM"/"PM"/"A"/"P" suffix.
bool looksLikeTime(std::string_view word) {
  std::size_t i = 0;
  int groups = 0;
  while (i < word.size() && isDigit(word[i])) {
    const std::size_t begin = i;
    while (i < word.size() && isDigit(word[i])) ++i;
    if (i - begin > 2) return false;
    ++groups;
    if (i < word.size() && (word[i] == ':' || word[i] == '.')) ++i;
  }
  if (groups < 2 || groups > 3) return false;
  const std::string_view suffix = word.substr(i);
  return suffix.empty() || equalsNoCase(suffix, "AM") || equalsNoCase(suffix, "PM") ||
         equalsNoCase(suffix, "A") || equalsNoCase(suffix, "P");
}

std::string withoutCommas(std::string_view word) {
  std::string result;
  for (char c : word) {
    if (c != ',') result += c;
  }
  return result;
}

bool isHalfDay(std::string_view word) {
  return equalsNoCase(word, "AM") || equalsNoCase(word, "PM");
}

// Splits TEXT at every SEPARATOR.
std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

char firstNonDigit(std::string_view word) {
  for (char c : word) {
    if (!isDigit(c)) return c;
  }
  return '\0';
}

struct Clock {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Applies a half-day marker: PM moves hours 1..11 to the afternoon, AM
// moves 12 to midnight.
void applyHalfDay(Clock& clock, std::string_view marker) {
  if ((equalsNoCase(marker, "PM") || equalsNoCase(marker, "P")) && clock.hour < 12) {
    clock.hour += 12;
  } else if ((equalsNoCase(marker, "AM") || equalsNoCase(marker, "A")) && clock.hour == 12) {
    clock.hour = 0;
  }
}

std::optional<Clock> readClock(std::string_view word) {
  const char separator = firstNonDigit(word);
  if (separator == '\0') return std::nullopt;
  std::vector<std::string_view> parts = splitAt(word, separator);
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  std::string_view& lastPart = parts.back();
  std::size_t digits = 0;
  while (digits < lastPart.size() && isDigit(lastPart[digits])) ++digits;
  const std::string_view suffix = lastPart.substr(digits);
  lastPart = lastPart.substr(0, digits);
  if (!suffix.empty() && !isHalfDay(suffix) && !equalsNoCase(suffix, "A") &&
      !equalsNoCase(suffix, "P")) {
    return std::nullopt;
  }
  Clock clock;
  const std::optional<int> hour = toInt(parts[0]);
  const std::optional<int> minute = toInt(parts[1]);
  const std::optional<int> second = parts.size() == 3 ? toInt(parts[2]) : std::optional<int>(0);
  if (!hour || !minute || !second) return std::nullopt;
  clock = {*hour, *minute, *second};
  applyHalfDay(clock, suffix);
  return clock;
}

// Completes a year below 1000 from the present century: above 50 is the
// previous century, anything else the present one.
int completeYear(int year, TDateTime now) {
  if (year >= 1000) return year;
  const int century = decodeDate(now).year / 100 * 100;
  return year > 50 ? century - 100 + year : century + year;
}

struct DateFields {
  std::optional<int> year, month, day;
};

DateFields readDateWord(std::string_view word) {
  const char separator = firstNonDigit(word);
  if (separator == '\0') return {};
  const std::vector<std::string_view> parts = splitAt(word, separator);
  if (parts.size() != 3) return {};
  return {toInt(parts[2]), toInt(parts[0]), toInt(parts[1])};
}

bool startsWithFourDigitYear(std::string_view line) {
  return line.size() >= 5 && isDigit(line[0]) && isDigit(line[1]) && isDigit(line[2]) &&
         isDigit(line[3]) && !isDigit(line[4]);
}

bool isDirectoryWord(std::string_view word) { return equalsNoCase(word, "<DIR>"); }

// Returns true when LINE has the date, time and size or "<DIR>" of the style.
bool firstLineLooksRight(std::string_view line) {
  const std::vector<Field> fields = splitFields(line);
  if (fields.size() < 3 || !looksLikeDate(fields[0].text) || !looksLikeTime(fields[1].text)) {
    return false;
  }
  std::size_t k = 2;
  if (isHalfDay(fields[k].text)) ++k;
  if (k >= fields.size()) return false;
  return isDirectoryWord(fields[k].text) || isDigits(withoutCommas(fields[k].text));
}

}  // namespace

bool msdosPassesOver(std::string_view line) { return isBlankLine(line) || line.back() == ':'; }

bool msdosAccepts(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (msdosPassesOver(line)) continue;
    return firstLineLooksRight(line);
  }
  return false;
}

void parseMsdosLine(std::string_view line, TDateTime now, ListingItem& item) {
  const std::vector<Field> fields = splitFields(line);
  DateFields date;
  std::size_t timeField = 1;
  if (startsWithFourDigitYear(line)) {
    const auto number = [&](std::size_t begin, std::size_t count) {
      return begin < line.size() ? toInt(line.substr(begin, count)) : std::nullopt;
    };
    date = {number(0, 4), number(5, 2), number(8, 2)};
    timeField = 0;
    while (timeField < fields.size() && fields[timeField].begin < 10) ++timeField;
  } else {
    date = readDateWord(fields.empty() ? std::string_view() : fields[0].text);
  }
  if (timeField >= fields.size()) return;

  std::optional<Clock> clock = readClock(fields[timeField].text);
  std::size_t next = timeField + 1;
  if (next < fields.size() && isHalfDay(fields[next].text)) {
    if (clock) applyHalfDay(*clock, fields[next].text);
    ++next;
  }

  TDateTime day = 0;
  TDateTime time = 0;
  if (date.year && date.month && date.day && clock &&
      tryEncodeDate(completeYear(*date.year, now), *date.month, *date.day, day) &&
      tryEncodeTime(clock->hour, clock->minute, clock->second, 0, time)) {
    item.modifiedDate = composeDateTime(day, time);
  }

  if (next >= fields.size()) return;
  const Field& sizeField = fields[next];
  std::string_view rest =
      sizeField.end < line.size() ? line.substr(sizeField.end + 1) : std::string_view();
  if (isDirectoryWord(withoutCommas(sizeField.text))) {
    item.kind = ListingItemKind::Directory;
    if (rest.starts_with(std::string(17, ' '))) {
      rest.remove_prefix(17);
    } else if (rest.starts_with(std::string(9, ' '))) {
      rest.remove_prefix(9);
    }
  } else {
    item.kind = ListingItemKind::File;
    item.size = toInt64(withoutCommas(sizeField.text)).value_or(0);
  }
  item.fileName = std::string(rest);
}

}  // namespace kelvo::listing
