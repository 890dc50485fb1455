// One line of text per parsed listing item, for the diagnostic tools.
#pragma once

#include <string>

#include "access/ftp/listing_item.h"

namespace kelvo {

// Returns ITEM as "line index, kind, size, YYYY-MM-DD HH:MM:SS, name",
// separated by tabs, without a line break.
std::string listingItemText(const ListingItem& item);

}  // namespace kelvo
