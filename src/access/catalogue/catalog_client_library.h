// The central catalogue's client library and the table of its entry points
// that every catalogue call goes through.
#pragma once

#include <mysql.h>

namespace kelvo {

// Every entry point of the client library this system calls, under its C
// name. MariaDB Connector/C and the MySQL client share these.
struct CatalogClientApi {
#define KELVO_CATALOG_ENTRY(name) decltype(&::name) name = nullptr;
#include "access/catalogue/catalog_entry_points.inc"
#undef KELVO_CATALOG_ENTRY
};

// Returns the client library's entry points. On POSIX the program is linked
// with MariaDB Connector/C; on Windows the library is loaded on first use
// (libmariadb.dll, else libmysql.dll), and a failed load is tried again on the
// next call. Throws CatalogError naming the libraries tried when none loads,
// or naming the entry point a loaded library lacks.
const CatalogClientApi& catalogClient();

}  // namespace kelvo
