// Line-by-line rules of the listing parser: dates, names, kinds, format
// choice and the errors that stop a parse.
#include "access/ftp/listing_parser.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace kelvo {
namespace {

TDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return composeDateTime(encodeDate(y, mo, d), encodeTime(h, mi, s, 0));
}

DirectoryListing parse(const std::vector<std::string>& lines, TDateTime now) {
  DirectoryListing listing;
  parseListing(lines, now, listing);
  return listing;
}

struct LineCase {
  const char* line;
  TDateTime now;
  const char* name;
  TDateTime date;
  std::int64_t size;
  ListingItemKind kind;
};

class UnixLine : public testing::TestWithParam<LineCase> {};

TEST_P(UnixLine, ReadsNameDateSizeAndKind) {
  const LineCase& c = GetParam();
  const DirectoryListing listing = parse({c.line}, c.now);
  ASSERT_EQ(listing.count(), 1u) << c.line;
  EXPECT_EQ(listing[0].fileName, c.name) << c.line;
  EXPECT_DOUBLE_EQ(listing[0].modifiedDate, c.date) << c.line;
  EXPECT_EQ(listing[0].size, c.size) << c.line;
  EXPECT_EQ(listing[0].kind, c.kind) << c.line;
}

const TDateTime kJune = at(2024, 6, 15, 12, 0);

INSTANTIATE_TEST_SUITE_P(
    Parser, UnixLine,
    testing::Values(
        LineCase{"-rw-r--r--    1 0        0            1234 Dec 08 10:00 a.txt", kJune, "a.txt",
                 at(2023, 12, 8, 10, 0), 1234, ListingItemKind::File},
        // Year given, blank before a single-digit day.
        LineCase{"-rw-r--r--   1 user  group  77 Dec  5  2019 old file.txt", kJune, "old file.txt",
                 at(2019, 12, 5), 77, ListingItemKind::File},
        // The 7-day rule across the new year, both ways.
        LineCase{"-rw-r--r-- 1 u g 1 Dec 31 23:59 late", at(2024, 1, 3, 8, 0), "late",
                 at(2023, 12, 31, 23, 59), 1, ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g 1 Jan 5 10:00 soon", at(2024, 1, 1, 0, 0), "soon",
                 at(2024, 1, 5, 10, 0), 1, ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g 1 Jun 23 10:00 eight-days", kJune, "eight-days",
                 at(2023, 6, 23, 10, 0), 1, ListingItemKind::File},
        // 29 February in a year without it.
        LineCase{"-rw-r--r-- 1 u g 1 Feb 29 2019 leap", kJune, "leap", at(2019, 2, 28), 1,
                 ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g 1 Feb 29 08:00 leap", at(2023, 6, 1), "leap",
                 at(2023, 2, 28, 8, 0), 1, ListingItemKind::File},
        // Links, final markers, directories, no owner and group, inode and blocks.
        LineCase{"lrwxrwxrwx 1 0 0 7 Dec 08 10:00 current -> target.txt", kJune, "current",
                 at(2023, 12, 8, 10, 0), 7, ListingItemKind::Link},
        LineCase{"drwxr-xr-x 2 0 0 4096 Jan 01 2020 folder/", kJune, "folder", at(2020, 1, 1), 4096,
                 ListingItemKind::Directory},
        LineCase{"-rwxr-xr-x 1 u g 10 Mar 3 2021 run.sh*", kJune, "run.sh", at(2021, 3, 3), 10,
                 ListingItemKind::File},
        LineCase{"-rw-r--r--   1      512 Sept 9 2022 no-owner", kJune, "no-owner", at(2022, 9, 9),
                 512, ListingItemKind::File},
        LineCase{"123456 8 -rw-r--r-- 1 u g 99 JULY 4 1999 inode", kJune, "inode", at(1999, 7, 4),
                 99, ListingItemKind::File},
        LineCase{"crw-rw-rw- 1 root root 1, 3 Dec 08 10:00 null", kJune, "null",
                 at(2023, 12, 8, 10, 0), 0, ListingItemKind::Special},
        // Day before month, seconds with a year, numeric date, extra blanks kept in names.
        LineCase{"-rw-r--r-- 1 u g 5 8 dec 10:00 day-first", kJune, "day-first",
                 at(2023, 12, 8, 10, 0), 5, ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g 5 Dec 8 10:11:12 2018 full", kJune, "full",
                 at(2018, 12, 8, 10, 11, 12), 5, ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g 5 2017-03-04 05:06 iso", kJune, "iso", at(2017, 3, 4, 5, 6), 5,
                 ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g 5 Dec 08 2020  two blanks", kJune, " two blanks",
                 at(2020, 12, 8), 5, ListingItemKind::File},
        // A line without a date keeps what it has; a size that is no number gives 0.
        LineCase{"-rw-r--r-- 1 u g", kJune, "", 0, 0, ListingItemKind::File},
        LineCase{"-rw-r--r-- 1 u g big Dec 08 2020 x", kJune, "x", at(2020, 12, 8), 0,
                 ListingItemKind::File}));

TEST(ListingParser, PassedOverLinesGiveNoItemsButItemsKeepTheirLineIndex) {
  const DirectoryListing listing =
      parse({"total 12", "-rw-r--r-- 1 u g 1 Jan 01 2020 a", "", "sub:", "/bin/ls: cannot open x",
             "-rw-r--r-- 1 u g 2 Jan 02 2020 b", "TOTAL 3", "\xE5\x90\x88\xE8\xA8\x88 3"},
            kJune);
  ASSERT_EQ(listing.count(), 2u);
  EXPECT_EQ(listing[0].fileName, "a");
  EXPECT_EQ(listing[0].lineIndex, 1u);
  EXPECT_EQ(listing[1].fileName, "b");
  EXPECT_EQ(listing[1].lineIndex, 5u);
  EXPECT_THROW(listing.item(2), Error);
}

TEST(ListingParser, UnixLinesWithoutPermissionsStillGiveAnItem) {
  const DirectoryListing listing =
      parse({"-rw-r--r-- 1 u g 1 Jan 01 2020 a", "garbage here", "b:"}, kJune);
  ASSERT_EQ(listing.count(), 2u);
  EXPECT_EQ(listing[1].fileName, "");
  EXPECT_EQ(listing[1].modifiedDate, 0);
}

TEST(ListingParser, ListingNoFormatAcceptsIsEmptyAndIndexZeroIsOutOfRange) {
  for (const auto& lines : std::vector<std::vector<std::string>>{
           {}, {""}, {"hello world"}, {"total 0"}, {"2019-12-05 x <DIR> a"}}) {
    const DirectoryListing listing = parse(lines, kJune);
    EXPECT_EQ(listing.count(), 0u);
    try {
      listing.item(0);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Argument out of range");
    }
  }
}

TEST(ListingParser, BadUnixDateStopsTheParseKeepingItemsMadeSoFar) {
  struct Case {
    const char* line;
    const char* error;
  };
  for (const Case& c :
       {Case{"-rw-r--r-- 1 u g 5 Foo 08 10:00 bad", "Invalid argument to date encode"},
        Case{"-rw-r--r-- 1 u g 5 Feb 30 2020 bad", "Invalid argument to date encode"},
        Case{"-rw-r--r-- 1 u g 5 13 08 2020 bad", "Invalid argument to date encode"},
        Case{"-rw-r--r-- 1 u g 5 Dec 08 24:00 bad", "Invalid argument to time encode"},
        Case{"-rw-r--r-- 1 u g 5 Dec 08 10:61 bad", "Invalid argument to time encode"}}) {
    DirectoryListing listing;
    try {
      parseListing(
          {"-rw-r--r-- 1 u g 1 Jan 01 2020 good", c.line, "-rw-r--r-- 1 u g 1 Jan 01 2020 z"},
          kJune, listing);
      ADD_FAILURE() << "no error for " << c.line;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.error) << c.line;
    }
    ASSERT_EQ(listing.count(), 2u) << c.line;
    EXPECT_EQ(listing[0].fileName, "good");
    EXPECT_EQ(listing[1].fileName, "");
    EXPECT_EQ(listing[1].modifiedDate, 0);
    EXPECT_EQ(listing[1].lineIndex, 1u);
  }
}

class MsdosLine : public testing::TestWithParam<LineCase> {};

TEST_P(MsdosLine, ReadsNameDateSizeAndKind) {
  const LineCase& c = GetParam();
  // The first line decides the format; the line under test follows it.
  const DirectoryListing listing = parse({"01-01-20  10:00AM    1 first", c.line}, c.now);
  ASSERT_EQ(listing.count(), 2u) << c.line;
  EXPECT_EQ(listing[1].fileName, c.name) << c.line;
  EXPECT_DOUBLE_EQ(listing[1].modifiedDate, c.date) << c.line;
  EXPECT_EQ(listing[1].size, c.size) << c.line;
  EXPECT_EQ(listing[1].kind, c.kind) << c.line;
}

const TDateTime k2024 = at(2024, 6, 15);

INSTANTIATE_TEST_SUITE_P(
    Parser, MsdosLine,
    testing::Values(
        LineCase{"12-31-99  11:59PM                 1024 a.txt", k2024, "a.txt",
                 at(1999, 12, 31, 23, 59), 1024, ListingItemKind::File},
        LineCase{"01-02-20  12:05AM                   10 b.txt", k2024, "b.txt",
                 at(2020, 1, 2, 0, 5), 10, ListingItemKind::File},
        LineCase{"01-02-50  12:05PM                   10 c.txt", k2024, "c.txt",
                 at(2050, 1, 2, 12, 5), 10, ListingItemKind::File},
        LineCase{"01-02-51  01:05P                    10 d.txt", k2024, "d.txt",
                 at(1951, 1, 2, 13, 5), 10, ListingItemKind::File},
        // Directories lose the column padding after "<DIR>".
        LineCase{"10-05-23  09:15AM       <DIR>          my folder", k2024, "my folder",
                 at(2023, 10, 5, 9, 15), 0, ListingItemKind::Directory},
        LineCase{"10-05-23  09:15       <dir>                  deep", k2024, "deep",
                 at(2023, 10, 5, 9, 15), 0, ListingItemKind::Directory},
        LineCase{"2023-10-05  21:15       1,234,567 big.bin", k2024, "big.bin",
                 at(2023, 10, 5, 21, 15), 1234567, ListingItemKind::File},
        LineCase{"2023/10/05 08:15:30 PM 7 pm-word", k2024, "pm-word", at(2023, 10, 5, 20, 15, 30),
                 7, ListingItemKind::File},
        LineCase{"10-05-23 12:30 PM 7 noon", k2024, "noon", at(2023, 10, 5, 12, 30), 7,
                 ListingItemKind::File},
        LineCase{"10-05-23 12:30 AM 7 midnight", k2024, "midnight", at(2023, 10, 5, 0, 30), 7,
                 ListingItemKind::File},
        // Unreadable dates and times give date 0 and still an item.
        LineCase{"02-30-23  10:00AM  5 bad-date", k2024, "bad-date", 0, 5, ListingItemKind::File},
        LineCase{"10-05-23  25:00  5 bad-time", k2024, "bad-time", 0, 5, ListingItemKind::File},
        LineCase{"xx  yy", k2024, "", 0, 0, ListingItemKind::File}));

TEST(ListingParser, MsdosListingHasOneItemPerLineAndSkipsBlankLinesAndBanners) {
  const DirectoryListing listing =
      parse({"01-01-20  10:00AM   <DIR>          a", "", "sub:", "01-01-20  10:00AM   3 b"}, k2024);
  ASSERT_EQ(listing.count(), 2u);
  EXPECT_EQ(listing[0].lineIndex, 0u);
  EXPECT_EQ(listing[1].lineIndex, 3u);
}

TEST(ListingText, SplitsAtEveryLineBreakKindWithoutAFinalEmptyLine) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(splitListingText("a\r\nb\r\nc\r\n"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(splitListingText("a\r\nb\r\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(splitListingText("a\n\nb\rc\r"), (Lines{"a", "", "b", "c"}));
  EXPECT_EQ(splitListingText("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitListingText(""), Lines{});
  EXPECT_EQ(splitListingText("\n"), Lines{""});
}

}  // namespace
}  // namespace kelvo
