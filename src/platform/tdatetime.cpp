// Calendar arithmetic for TDateTime.
#include "platform/tdatetime.h"

#include <cmath>

#include "platform/error.h"

namespace kelvo {

namespace {

constexpr std::int64_t kMsPerDay = 24LL * 60 * 60 * 1000;
// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr std::int64_t kDateDelta = 693594;

// Splits VALUE into a day count since 0001-01-01 and milliseconds of the day.
void toStamp(TDateTime value, std::int64_t& date, std::int64_t& ms) {
  ms = std::llround(std::fabs(value - std::trunc(value)) * kMsPerDay);
  date = kDateDelta + static_cast<std::int64_t>(std::trunc(value));
  if (ms >= kMsPerDay) {  // rounding reached the next midnight
    ms -= kMsPerDay;
    date += value < 0 ? -1 : 1;
  }
}

}  // namespace

bool isLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool tryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > daysInMonth(year, month)) {
    return false;
  }
  std::int64_t days = day;
  for (int m = 1; m < month; ++m) days += daysInMonth(year, m);
  const std::int64_t y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  result = static_cast<TDateTime>(days - kDateDelta);
  return true;
}

TDateTime encodeDate(int year, int month, int day) {
  TDateTime result = 0;
  if (!tryEncodeDate(year, month, day, result)) throw Error(kDateEncodeError);
  return result;
}

bool tryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
      millisecond < 0 || millisecond > 999) {
    return false;
  }
  const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  result = static_cast<TDateTime>(ms) / kMsPerDay;
  return true;
}

TDateTime encodeTime(int hour, int minute, int second, int millisecond) {
  TDateTime result = 0;
  if (!tryEncodeTime(hour, minute, second, millisecond, result)) throw Error(kTimeEncodeError);
  return result;
}

TDateTime composeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - time : date + time;
}

DateParts decodeDate(TDateTime value) {
  std::int64_t date = 0;
  std::int64_t ms = 0;
  toStamp(value, date, ms);
  DateParts parts;
  if (date <= 0) return parts;  // before 0001-01-01: no calendar date
  // Count 400-, 100-, 4- and 1-year cycles from 0001-01-01.
  std::int64_t d = date - 1;
  std::int64_t year = 1;
  year += 400 * (d / 146097);
  d %= 146097;
  std::int64_t centuries = d / 36524;
  if (centuries == 4) centuries = 3;
  year += 100 * centuries;
  d -= centuries * 36524;
  year += 4 * (d / 1461);
  d %= 1461;
  std::int64_t years = d / 365;
  if (years == 4) years = 3;
  year += years;
  d -= years * 365;
  parts.year = static_cast<int>(year);
  parts.month = 1;
  while (d >= daysInMonth(parts.year, parts.month)) {
    d -= daysInMonth(parts.year, parts.month);
    ++parts.month;
  }
  parts.day = static_cast<int>(d) + 1;
  return parts;
}

TimeParts decodeTime(TDateTime value) {
  std::int64_t date = 0;
  std::int64_t ms = 0;
  toStamp(value, date, ms);
  TimeParts parts;
  parts.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  parts.second = static_cast<int>(ms % 60);
  ms /= 60;
  parts.minute = static_cast<int>(ms % 60);
  parts.hour = static_cast<int>(ms / 60);
  return parts;
}

int dayOfWeek(TDateTime value) {
  std::int64_t date = 0;
  std::int64_t ms = 0;
  toStamp(value, date, ms);
  // 0001-01-01 (day 1) was a Monday.
  return static_cast<int>(date % 7) + 1;
}

}  // namespace kelvo
