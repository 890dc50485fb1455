// The diagnostic tools' line for a parsed listing item.
#include "access/ftp/listing_item_text.h"

#include <cstdio>

#include "platform/tdatetime.h"

namespace kelvo {

std::string listingItemText(const ListingItem& item) {
  const DateParts date = decodeDate(item.modifiedDate);
  const TimeParts time = decodeTime(item.modifiedDate);
  char moment[32];
  std::snprintf(moment, sizeof moment, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month,
                date.day, time.hour, time.minute, time.second);
  return std::to_string(item.lineIndex) + '\t' + listingItemKindName(item.kind) + '\t' +
         std::to_string(item.size) + '\t' + moment + '\t' + item.fileName;
}

}  // namespace kelvo
