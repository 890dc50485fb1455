// Date-times that tests of file times start from.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
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

// Writes CONTENT to PATH and gives it the last-write time WHEN; fails the
// test when the time cannot be set.
inline void writeDated(const std::filesystem::path& path, const std::string& content,
                       TDateTime when) {
  std::ofstream(path, std::ios::binary) << content;
  ASSERT_TRUE(setFileLastWriteTime(path.string(), when)) << path;
}

}  // namespace kelvo::test
