// Index checks of a parsed listing and the names of item kinds.
#include "access/ftp/listing_directory.h"

#include "platform/error.h"

namespace kelvo {

const ListingItem& DirectoryListing::item(std::size_t index) const {
  if (index >= items_.size()) throw Error(kListingIndexError);
  return items_[index];
}

const char* listingItemKindName(ListingItemKind kind) {
  switch (kind) {
    case ListingItemKind::Directory:
      return "dir";
    case ListingItemKind::Link:
      return "link";
    case ListingItemKind::Special:
      return "special";
    case ListingItemKind::File:
      break;
  }
  return "file";
}

}  // namespace kelvo
