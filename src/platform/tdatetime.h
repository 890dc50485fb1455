// Date-times as days since 30 December 1899 (local time), the way the system
// stores, compares and formats them.
#pragma once

#include <cstdint>

namespace kelvo {

// Whole part: days since 1899-12-30; fraction: part of the day. For dates
// before the epoch the fraction still counts forward from midnight
// (-1.25 is 1899-12-29 06:00).
using TDateTime = double;

// Texts of the errors raised by encodeDate and encodeTime.
inline constexpr const char* kDateEncodeError = "Invalid argument to date encode";
inline constexpr const char* kTimeEncodeError = "Invalid argument to time encode";

struct DateParts {
  int year = 0;
  int month = 0;
  int day = 0;
};

struct TimeParts {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// Returns true for leap years of the proleptic Gregorian calendar.
bool isLeapYear(int year);

// Returns the number of days of MONTH (1..12) in YEAR.
int daysInMonth(int year, int month);

// Returns true and sets RESULT when the date is valid (years 1..9999).
bool tryEncodeDate(int year, int month, int day, TDateTime& result);
// Returns the date; raises kelvo::Error(kDateEncodeError) when it is invalid.
TDateTime encodeDate(int year, int month, int day);

// Returns true and sets RESULT (a fraction of a day) when the time is valid
// (hours 0..23, minutes and seconds 0..59, milliseconds 0..999).
bool tryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
// Returns the time; raises kelvo::Error(kTimeEncodeError) when it is invalid.
TDateTime encodeTime(int hour, int minute, int second, int millisecond);

// Returns DATE + TIME, keeping the time part counting forward for dates
// before the epoch.
TDateTime composeDateTime(TDateTime date, TDateTime time);

// Returns the calendar date of VALUE.
DateParts decodeDate(TDateTime value);
// Returns the time of day of VALUE, rounded to the millisecond.
TimeParts decodeTime(TDateTime value);

// Returns the day of the week of VALUE, 1 = Sunday .. 7 = Saturday.
int dayOfWeek(TDateTime value);

// Returns the present local date and time from the system clock.
TDateTime now();

// Returns the local date-time of a POSIX time in seconds (and nanoseconds).
TDateTime fromUnixTime(std::int64_t seconds, std::int64_t nanoseconds = 0);
// Returns the POSIX time of a local date-time (daylight saving resolved by the
// system's rules), rounded to the second.
std::int64_t toUnixTime(TDateTime value);

}  // namespace kelvo
