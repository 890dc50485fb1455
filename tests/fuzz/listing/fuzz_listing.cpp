// libFuzzer target: any bytes as a received listing. The parse may raise
// only its two date and time errors, every item must point at a line that
// the listing has, and items keep the order of their lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "access/ftp/listing_parser.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first two bytes choose the present moment, so that the year rules
  // are exercised around many dates.
  kelvo::TDateTime now = 45000;
  if (size >= 2) {
    now = 20000 + (data[0] << 8 | data[1]) * 0.73;
    data += 2;
    size -= 2;
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto lines = kelvo::splitListingText(text);
  kelvo::DirectoryListing listing;
  try {
    kelvo::parseListing(lines, now, listing);
  } catch (const kelvo::Error& e) {
    if (std::strcmp(e.what(), kelvo::kDateEncodeError) != 0 &&
        std::strcmp(e.what(), kelvo::kTimeEncodeError) != 0) {
      std::abort();
    }
  }
  std::size_t previous = 0;
  for (std::size_t i = 0; i < listing.count(); ++i) {
    const kelvo::ListingItem& item = listing[i];
    if (item.lineIndex >= lines.size()) std::abort();
    if (i > 0 && item.lineIndex <= previous) std::abort();
    if (item.fileName.size() > lines[item.lineIndex].size()) std::abort();
    previous = item.lineIndex;
  }
  return 0;
}
