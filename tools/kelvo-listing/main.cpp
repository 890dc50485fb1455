// kelvo-listing: parses raw listing lines from standard input and prints one
// line per item (raw line index, kind, size, date, name), for looking at
// what the updater makes of a server's listing.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "access/ftp/listing_item_text.h"
#include "access/ftp/listing_parser.h"
#include "platform/error.h"

namespace {

void usage() { std::cerr << "usage: kelvo-listing [--now \"YYYY-MM-DD HH:MM:SS\"] < listing\n"; }

// Returns the date-time of TEXT in the form YYYY-MM-DD HH:MM:SS.
bool readMoment(const std::string& text, kelvo::TDateTime& result) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &end) != 6) {
    return false;
  }
  kelvo::TDateTime date = 0;
  kelvo::TDateTime time = 0;
  if (!kelvo::tryEncodeDate(y, mo, d, date) || !kelvo::tryEncodeTime(h, mi, s, 0, time)) {
    return false;
  }
  result = kelvo::composeDateTime(date, time);
  return true;
}

void print(const kelvo::DirectoryListing& listing) {
  for (const kelvo::ListingItem& item : listing.items()) {
    std::cout << kelvo::listingItemText(item) << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  kelvo::TDateTime now = kelvo::now();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--now" && i + 1 < argc) {
      if (!readMoment(argv[++i], now)) {
        std::cerr << "error: --now wants \"YYYY-MM-DD HH:MM:SS\"\n";
        return 2;
      }
    } else {
      usage();
      return 2;
    }
  }
  const std::string text{std::istreambuf_iterator<char>(std::cin),
                         std::istreambuf_iterator<char>()};
  kelvo::DirectoryListing listing;
  try {
    kelvo::parseListing(kelvo::splitListingText(text), now, listing);
  } catch (const kelvo::Error& e) {
    print(listing);
    std::cout.flush();
    std::cerr << "error: " << e.what() << '\n';
    return 1;
  }
  print(listing);
  return 0;
}
