// Turns the raw lines of a LIST reply into listing items (Unix and MS-DOS
// styles), and splits received listing text into raw lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "access/ftp/listing_directory.h"
#include "platform/tdatetime.h"

namespace kelvo {

// Parses LINES into RESULT (cleared first). NOW is the present moment, used
// for lines that print a time but no year. The format is chosen once for the
// whole listing; a listing no format accepts gives no items. A Unix line
// whose date or time is not a calendar value raises kelvo::Error with
// kDateEncodeError or kTimeEncodeError; RESULT then keeps the items made so
// far plus a nameless, undated item for that line.
void parseListing(const std::vector<std::string>& lines, TDateTime now, DirectoryListing& result);

// Returns TEXT split into lines at CR LF, lone LF and lone CR. A final line
// break adds no empty line; empty lines inside the text are kept.
std::vector<std::string> splitListingText(std::string_view text);

}  // namespace kelvo
