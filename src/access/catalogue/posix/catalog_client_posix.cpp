// On POSIX the catalogue client is MariaDB Connector/C, linked with the program.
#include "access/catalogue/catalog_client_library.h"

namespace kelvo {

const CatalogClientApi& catalogClient() {
  static const CatalogClientApi api = [] {
    CatalogClientApi linked;
#define KELVO_CATALOG_ENTRY(name) linked.name = &::name;
#include "access/catalogue/catalog_entry_points.inc"
#undef KELVO_CATALOG_ENTRY
    return linked;
  }();
  return api;
}

}  // namespace kelvo
