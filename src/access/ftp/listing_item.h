// One entry of a parsed folder listing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/tdatetime.h"

namespace kelvo {

enum class ListingItemKind { File, Directory, Link, Special };

struct ListingItem {
  std::string fileName;
  // Server local time as printed, no time-zone conversion; 0 when unreadable.
  TDateTime modifiedDate = 0;
  // Bytes; 0 when the line gives none or it is not a number.
  std::int64_t size = 0;
  ListingItemKind kind = ListingItemKind::File;
  // Index of the raw line the item was read from, so callers can pair lines
  // and items even when the listing has header or blank lines.
  std::size_t lineIndex = 0;
};

// Returns "file", "dir", "link" or "special".
const char* listingItemKindName(ListingItemKind kind);

}  // namespace kelvo
