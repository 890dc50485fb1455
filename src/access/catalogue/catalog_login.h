// The central catalogue login, as the wait screen sets it when it is created.
#pragma once

#include "access/catalogue/catalog_database.h"

namespace kelvo {

// Replaces DATABASE's parameter lines by exactly two: "USER NAME=" and
// "PASSWORD=", each followed by the descrambled stored value. Does not open
// the connection.
void setCatalogLogin(CatalogDatabase& database);

}  // namespace kelvo
