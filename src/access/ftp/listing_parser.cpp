// Chooses the listing format once and parses every line with it.
#include "access/ftp/listing_parser.h"

#include "access/ftp/listing_formats.h"
#include "platform/text_lines.h"

namespace kelvo {

namespace {

struct Format {
  bool (*accepts)(const std::vector<std::string>&);
  bool (*passesOver)(std::string_view);
  void (*parse)(std::string_view, TDateTime, ListingItem&);
};

// Tried in this order; Unix first because an MS-DOS check is looser.
constexpr Format kFormats[] = {
    {listing::unixAccepts, listing::unixPassesOver, listing::parseUnixLine},
    {listing::msdosAccepts, listing::msdosPassesOver, listing::parseMsdosLine},
};

}  // namespace

void parseListing(const std::vector<std::string>& lines, TDateTime now, DirectoryListing& result) {
  result.clear();
  for (const Format& format : kFormats) {
    if (!format.accepts(lines)) continue;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (format.passesOver(lines[i])) continue;
      ListingItem item;
      item.lineIndex = i;
      try {
        format.parse(lines[i], now, item);
      } catch (...) {
        item.fileName.clear();
        item.modifiedDate = 0;
        result.add(std::move(item));
        throw;
      }
      result.add(std::move(item));
    }
    return;
  }
}

std::vector<std::string> splitListingText(std::string_view text) {
  const auto views = splitLines(text);
  return {views.begin(), views.end()};
}

}  // namespace kelvo
