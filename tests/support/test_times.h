// Date-times that tests of file times start from.
#pragma once

#include "platform/tdatetime.h"

namespace kelvo::test {

// Returns a whole minute (no seconds) of yesterday: far enough from now
// that no file a test writes falls into it by accident, and never today at
// midnight.
inline TDateTime yesterdayAtAWholeMinute() {
  const TDateTime yesterday = now() - 1;
  const DateParts d = decodeDate(yesterday);
  const TimeParts t = decodeTime(yesterday);
  return encodeDate(d.year, d.month, d.day) + encodeTime(t.hour, t.minute, 0, 0);
}

}  // namespace kelvo::test
