// TDateTime arithmetic at its edges.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/tdatetime.h"

namespace kelvo {
namespace {

TEST(TDateTime, KnownDaysSinceTheEpoch) {
  EXPECT_EQ(encodeDate(1899, 12, 30), 0);
  EXPECT_EQ(encodeDate(1900, 1, 1), 2);
  EXPECT_EQ(encodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(encodeDate(1, 1, 1), -693593);
  EXPECT_EQ(encodeDate(9999, 12, 31), 2958465);
}

TEST(TDateTime, DecodeInvertsEncodeAcrossTheWholeRange) {
  for (int year : {1, 4, 100, 400, 1600, 1899, 1900, 2000, 2024, 2100, 9999}) {
    for (int month = 1; month <= 12; ++month) {
      for (int day : {1, 28, daysInMonth(year, month)}) {
        const DateParts parts = decodeDate(encodeDate(year, month, day));
        EXPECT_EQ(parts.year, year);
        EXPECT_EQ(parts.month, month);
        EXPECT_EQ(parts.day, day);
      }
    }
  }
}

TEST(TDateTime, LeapYearsFollowTheGregorianRules) {
  TDateTime value = 0;
  EXPECT_TRUE(tryEncodeDate(2024, 2, 29, value));
  EXPECT_TRUE(tryEncodeDate(2000, 2, 29, value));
  EXPECT_FALSE(tryEncodeDate(1900, 2, 29, value));
  EXPECT_FALSE(tryEncodeDate(2023, 2, 29, value));
}

TEST(TDateTime, InvalidPartsRaiseTheEncodeErrors) {
  for (const auto& [y, m, d] : {std::tuple{0, 1, 1}, {10000, 1, 1}, {2024, 13, 1}, {2024, 0, 1},
                                {2024, 4, 31}, {2024, 1, 0}}) {
    try {
      encodeDate(y, m, d);
      ADD_FAILURE() << y << "-" << m << "-" << d << " was accepted";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Invalid argument to date encode");
    }
  }
  EXPECT_THROW(encodeTime(24, 0, 0, 0), Error);
  EXPECT_THROW(encodeTime(0, 60, 0, 0), Error);
  EXPECT_THROW(encodeTime(0, 0, 60, 0), Error);
  try {
    encodeTime(0, 0, 0, 1000);
    ADD_FAILURE();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid argument to time encode");
  }
}

TEST(TDateTime, TimeOfDayCountsForwardAlsoBeforeTheEpoch) {
  const TDateTime before = composeDateTime(encodeDate(1899, 12, 29), encodeTime(6, 0, 0, 0));
  EXPECT_DOUBLE_EQ(before, -1.25);
  EXPECT_EQ(decodeDate(before).day, 29);
  EXPECT_EQ(decodeTime(before).hour, 6);

  const TDateTime t = composeDateTime(encodeDate(2024, 3, 5), encodeTime(23, 59, 59, 999));
  const TimeParts parts = decodeTime(t);
  EXPECT_EQ(parts.hour, 23);
  EXPECT_EQ(parts.minute, 59);
  EXPECT_EQ(parts.second, 59);
  EXPECT_EQ(parts.millisecond, 999);
  EXPECT_EQ(decodeDate(t).day, 5);
}

TEST(TDateTime, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(dayOfWeek(encodeDate(2024, 3, 3)), 1);  // a Sunday
  EXPECT_EQ(dayOfWeek(encodeDate(2024, 3, 9)), 7);
  EXPECT_EQ(dayOfWeek(encodeDate(1899, 12, 30)), 7);
}

TEST(TDateTime, UnixTimesConvertThroughLocalTime) {
  const TDateTime value = composeDateTime(encodeDate(2023, 7, 14), encodeTime(10, 20, 30, 0));
  EXPECT_DOUBLE_EQ(fromUnixTime(toUnixTime(value)), value);
  EXPECT_NEAR(now(), fromUnixTime(std::time(nullptr)), 2.0 / 86400);
}

}  // namespace
}  // namespace kelvo
