// Listings captured from real servers (and hand-written MS-DOS ones) parse
// to the items checked by hand in the .expected file beside each.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "access/ftp/listing_parser.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

std::string describe(const DirectoryListing& listing) {
  std::string out;
  for (const ListingItem& item : listing.items()) {
    const DateParts d = decodeDate(item.modifiedDate);
    const TimeParts t = decodeTime(item.modifiedDate);
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                  t.hour, t.minute, t.second);
    out += std::to_string(item.lineIndex) + '\t' + listingItemKindName(item.kind) + '\t' +
           std::to_string(item.size) + '\t' + date + '\t' + item.fileName + '\n';
  }
  return out;
}

class ListingFixture : public testing::TestWithParam<const char*> {};

TEST_P(ListingFixture, ParsesToTheCheckedItems) {
  const std::string base = test::sourceFolder() + "/tests/data/listings/" + GetParam();
  const TDateTime now = composeDateTime(encodeDate(2026, 12, 9), encodeTime(6, 10, 0, 0));
  DirectoryListing listing;
  parseListing(splitListingText(test::readFile(base + ".txt")), now, listing);
  EXPECT_EQ(describe(listing), test::readFile(base + ".expected"));
}

INSTANTIATE_TEST_SUITE_P(Captured, ListingFixture,
                         testing::Values("vsftpd", "pyftpdlib", "msdos-iis", "msdos-iso"));

}  // namespace
}  // namespace kelvo
