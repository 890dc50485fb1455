// The Unix ("ls -l") listing style: permissions, link count, owner, group,
// size, date and name, with the many small variations servers print.
#include <array>
#include <optional>

#include "access/ftp/listing_fields.h"
#include "access/ftp/listing_formats.h"
#include "platform/ascii.h"
#include "platform/error.h"

namespace kelvo::listing {

namespace {

bool isPermissionChar(char c) {
  switch (c) {
    case 'r':
    case 'w':
    case 'x':
    case 's':
    case 'S':
    case 't':
    case 'T':
    case 'l':
    case 'L':
    case '-':
      return true;
    default:
      return false;
  }
}

// Ten characters: a type and nine permissions, optionally followed by one
// access-control marker ("+", "@" or ".").
bool isPermissionField(std::string_view field) {
  if (field.size() == 11) {
    const char mark = field[10];
    if (mark != '+' && mark != '@' && mark != '.') return false;
  } else if (field.size() != 10) {
    return false;
  }
  switch (field[0]) {
    case 'L':
    case 'l':
    case 'D':
    case 'd':
    case '-':
    case 'B':
    case 'b':
    case 'C':
    case 'c':
    case 'P':
    case 'p':
    case 'S':
    case 's':
    case '+':
    case 'I':
    case 'i':
    case 'M':
    case 'm':
    case 'W':
    case 'w':
      break;
    default:
      return false;
  }
  for (std::size_t i = 1; i < 10; ++i) {
    if (!isPermissionChar(field[i])) return false;
  }
  return true;
}

// Returns the index of the permission field: first, or after an inode
// number and a block count.
std::optional<std::size_t> permissionIndex(const std::vector<Field>& fields) {
  for (std::size_t i = 0; i < fields.size() && i < 3; ++i) {
    if (isPermissionField(fields[i].text)) return i;
    if (!isDigits(fields[i].text)) break;
  }
  return std::nullopt;
}

bool hasPermissionField(std::string_view line) {
  return permissionIndex(splitFields(line)).has_value();
}

bool isTotalLine(std::string_view line) {
  if (!line.empty() && line.back() == ':') return false;
  static constexpr std::array<std::string_view, 6> kWords = {"TOTAL",
                                                             "GESAMT",
                                                             "INSGESAMT",
                                                             "\xEC\xB4\x9D",
                                                             "\xE6\x80\xBB\xE6\x95\xB0",
                                                             "\xE5\x90\x88\xE8\xA8\x88"};
  for (std::string_view word : kWords) {
    if (startsWithNoCase(line, word)) return true;
  }
  return false;
}

bool isSubfolderBanner(std::string_view line) {
  return !line.empty() && line.back() == ':' && !hasPermissionField(line);
}

// "/bin/ls:" complaints and "/path (...)." banners some servers print.
bool isServerNote(std::string_view line) {
  if (line.starts_with("/bin/ls:")) return true;
  return line.starts_with("/") && line.ends_with(").") && line.find('(') != std::string_view::npos;
}

// Returns 1..12 for a month name, 0 for a word that is no month.
int monthFromName(std::string_view word) {
  static constexpr std::array<std::string_view, 12> kNames = {
      "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (equalsNoCase(word, kNames[i])) return static_cast<int>(i) + 1;
  }
  if (equalsNoCase(word, "JUNE")) return 6;
  if (equalsNoCase(word, "JULY")) return 7;
  if (equalsNoCase(word, "SEPT")) return 9;
  return 0;
}

bool isLetters(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

bool isTime(std::string_view text) { return text.find(':') != std::string_view::npos; }

// Some locales print the day as "5."; the dot carries no meaning.
std::string_view withoutFinalDot(std::string_view text) {
  if (text.size() > 1 && text.back() == '.') text.remove_suffix(1);
  return text;
}

// Returns the number a date part must be; raises the date error otherwise.
int datePart(std::string_view text) {
  const std::optional<int> value = toInt(withoutFinalDot(text));
  if (!value) throw Error(kDateEncodeError);
  return *value;
}

int monthOf(std::string_view text) {
  if (isLetters(text)) {
    const int month = monthFromName(text);
    if (month == 0) throw Error(kDateEncodeError);
    return month;
  }
  return datePart(text);
}

struct ClockTime {
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool hasSeconds = false;
};

ClockTime parseTime(std::string_view text) {
  ClockTime time;
  const std::size_t first = text.find(':');
  const std::size_t second = text.find(':', first + 1);
  const auto part = [&](std::size_t begin, std::size_t end) {
    const std::optional<int> value = toInt(text.substr(begin, end - begin));
    if (!value) throw Error(kTimeEncodeError);
    return *value;
  };
  time.hour = part(0, first);
  if (second == std::string_view::npos) {
    time.minute = part(first + 1, text.size());
  } else {
    time.minute = part(first + 1, second);
    time.second = part(second + 1, text.size());
    time.hasSeconds = true;
  }
  TDateTime unused = 0;
  if (!tryEncodeTime(time.hour, time.minute, time.second, 0, unused)) {
    throw Error(kTimeEncodeError);
  }
  return time;
}

// Returns the date, moving 29 February to the 28th in a year without it.
TDateTime calendarDate(int year, int month, int day) {
  if (month == 2 && day == 29 && year >= 1 && year <= 9999 && !isLeapYear(year)) day = 28;
  return encodeDate(year, month, day);
}

struct DateRead {
  TDateTime value = 0;
  std::size_t lastField = 0;  // index of the date's last field
};

// Reads the date that starts at field D. Returns nothing when the line ends
// before the date is complete.
std::optional<DateRead> readDate(const std::vector<Field>& fields, std::size_t d, TDateTime now) {
  if (d >= fields.size()) return std::nullopt;
  int year = 0;
  bool hasYear = false;
  int month = 0;
  int day = 0;
  std::optional<ClockTime> time;
  std::size_t last = d;

  const std::string_view first = fields[d].text;
  const std::size_t separator = first.find_first_of("-/");
  if (separator != std::string_view::npos && isDigits(first.substr(0, separator))) {
    // A numeric date: year, month and day.
    const std::size_t next = first.find(first[separator], separator + 1);
    if (next == std::string_view::npos) throw Error(kDateEncodeError);
    year = datePart(first.substr(0, separator));
    hasYear = true;
    month = datePart(first.substr(separator + 1, next - separator - 1));
    day = datePart(first.substr(next + 1));
    if (d + 1 < fields.size() && isTime(fields[d + 1].text)) {
      time = parseTime(fields[d + 1].text);
      last = d + 1;
    }
  } else {
    if (d + 2 >= fields.size()) return std::nullopt;
    const std::string_view second = fields[d + 1].text;
    if (isLetters(withoutFinalDot(second)) && !isLetters(first)) {
      day = datePart(first);
      month = monthOf(withoutFinalDot(second));
    } else {
      month = monthOf(first);
      day = datePart(second);
    }
    // Checked before the year is known, so that 29 February passes.
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(2000, month)) {
      throw Error(kDateEncodeError);
    }
    const std::string_view third = fields[d + 2].text;
    last = d + 2;
    if (isTime(third)) {
      time = parseTime(third);
      if (time->hasSeconds && d + 3 < fields.size() && fields[d + 3].text.size() == 4 &&
          isDigits(fields[d + 3].text)) {
        year = datePart(fields[d + 3].text);
        hasYear = true;
        last = d + 3;
      }
    } else {
      year = datePart(third);
      hasYear = true;
    }
  }

  TDateTime clock = 0;
  if (time) tryEncodeTime(time->hour, time->minute, time->second, 0, clock);
  if (!hasYear) {
    // No year: this year unless that lies more than a week ahead.
    const int current = decodeDate(now).year;
    const TDateTime thisYear = composeDateTime(calendarDate(current, month, day), clock);
    year = thisYear <= now + 7 ? current : current - 1;
  }
  return DateRead{composeDateTime(calendarDate(year, month, day), clock), last};
}

ListingItemKind kindOf(char type) {
  switch (type) {
    case 'd':
    case 'D':
      return ListingItemKind::Directory;
    case 'l':
    case 'L':
      return ListingItemKind::Link;
    case 'b':
    case 'B':
    case 'c':
    case 'C':
    case 'p':
    case 'P':
    case 's':
    case 'S':
      return ListingItemKind::Special;
    default:
      return ListingItemKind::File;
  }
}

bool isNumberOrTime(const std::vector<Field>& fields, std::size_t i) {
  return i < fields.size() && (isDigits(fields[i].text) || isTime(fields[i].text));
}

bool isMonthAt(const std::vector<Field>& fields, std::size_t i) {
  return i < fields.size() && monthFromName(fields[i].text) != 0;
}

bool isDigitsAt(const std::vector<Field>& fields, std::size_t i) {
  return i < fields.size() && isDigits(withoutFinalDot(fields[i].text));
}

}  // namespace

bool unixAccepts(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (isBlankLine(line) || isTotalLine(line) || isSubfolderBanner(line) || isServerNote(line)) {
      continue;
    }
    return hasPermissionField(line);
  }
  return false;
}

bool unixPassesOver(std::string_view line) {
  return isBlankLine(line) || isTotalLine(line) || isServerNote(line) || isSubfolderBanner(line);
}

void parseUnixLine(std::string_view line, TDateTime now, ListingItem& item) {
  const std::vector<Field> fields = splitFields(line);
  const std::optional<std::size_t> permissions = permissionIndex(fields);
  if (!permissions) return;  // nothing can be read from such a line
  const std::size_t p = *permissions;
  item.kind = kindOf(fields[p].text[0]);

  // Where the size and the date stand: without owner and group, with an
  // owner only, or the full form (where a device prints "major, minor").
  std::size_t size = p + 4;
  std::size_t date = p + 5;
  if (isMonthAt(fields, p + 3) && isDigitsAt(fields, p + 4) && isNumberOrTime(fields, p + 5)) {
    size = p + 2;
    date = p + 3;
  } else if (isMonthAt(fields, p + 4) && isDigitsAt(fields, p + 5)) {
    size = p + 3;
    date = p + 4;
  } else if (size < fields.size() && fields[size].text.ends_with(",")) {
    date = p + 6;
  }
  if (size < fields.size()) item.size = toInt64(fields[size].text).value_or(0);

  const std::optional<DateRead> read = readDate(fields, date, now);
  if (!read) return;
  item.modifiedDate = read->value;

  std::size_t nameStart = fields[read->lastField].end + 1;
  if (nameStart >= line.size()) return;
  std::string_view name = line.substr(nameStart);
  if (item.kind == ListingItemKind::Link) {
    const std::size_t arrow = name.find(" -> ");
    if (arrow != std::string_view::npos) name = name.substr(0, arrow);
  }
  if (!name.empty() && (name.back() == '/' || name.back() == '*')) name.remove_suffix(1);
  item.fileName = std::string(name);
}

}  // namespace kelvo::listing
