// The items parsed from one folder listing, addressed by index.
#pragma once

#include <cstddef>
#include <vector>

#include "access/ftp/listing_item.h"

namespace kelvo {

// Text of the error raised for an item index outside the listing.
inline constexpr const char* kListingIndexError = "Argument out of range";

class DirectoryListing {
 public:
  // Returns the number of items.
  std::size_t count() const { return items_.size(); }

  // Returns item INDEX; raises kelvo::Error(kListingIndexError) outside 0..count-1.
  const ListingItem& item(std::size_t index) const;
  const ListingItem& operator[](std::size_t index) const { return item(index); }

  const std::vector<ListingItem>& items() const { return items_; }

  void add(ListingItem item) { items_.push_back(std::move(item)); }
  void clear() { items_.clear(); }

 private:
  std::vector<ListingItem> items_;
};

}  // namespace kelvo
