// Chooses the listing format once and parses every line with it.
#include "access/listing_parser.h"

#include "access/listing_formats.h"

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
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(text.substr(start, i - start));
    i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace kelvo
