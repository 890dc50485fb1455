// The listing formats the parser knows. Each tells whether it accepts a
// listing, which lines it passes over, and how a line becomes an item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "access/ftp/listing_item.h"
#include "platform/tdatetime.h"

namespace kelvo::listing {

// Unix style ("ls -l").
bool unixAccepts(const std::vector<std::string>& lines);
bool unixPassesOver(std::string_view line);
// Fills ITEM from LINE. Raises kelvo::Error for a date or time that is not a
// calendar value; ITEM then holds what was read before the date.
void parseUnixLine(std::string_view line, TDateTime now, ListingItem& item);

// MS-DOS style (date, time, "<DIR>" or size, name). Never raises.
bool msdosAccepts(const std::vector<std::string>& lines);
bool msdosPassesOver(std::string_view line);
void parseMsdosLine(std::string_view line, TDateTime now, ListingItem& item);

}  // namespace kelvo::listing
