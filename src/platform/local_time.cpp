// Local time of the system clock and of POSIX timestamps.
#include <chrono>
#include <ctime>

#include "platform/local_tm.h"
#include "platform/tdatetime.h"

namespace kelvo {

TDateTime fromUnixTime(std::int64_t seconds, std::int64_t nanoseconds) {
  const std::tm local = localTm(static_cast<std::time_t>(seconds));
  const TDateTime date = encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  const TDateTime time = encodeTime(local.tm_hour, local.tm_min, local.tm_sec,
                                    static_cast<int>(nanoseconds / 1000000));
  return composeDateTime(date, time);
}

std::int64_t toUnixTime(TDateTime value) {
  const DateParts d = decodeDate(value);
  const TimeParts t = decodeTime(value);
  std::tm local{};
  local.tm_year = d.year - 1900;
  local.tm_mon = d.month - 1;
  local.tm_mday = d.day;
  local.tm_hour = t.hour;
  local.tm_min = t.minute;
  local.tm_sec = t.second + (t.millisecond >= 500 ? 1 : 0);
  local.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&local));
}

TDateTime now() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
  return fromUnixTime(ns / 1000000000, ns % 1000000000);
}

}  // namespace kelvo
