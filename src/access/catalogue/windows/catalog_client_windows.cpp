// On Windows the catalogue client is loaded at run time, as the InterBase
// client is, so that the program starts on a machine without it and names
// the missing library itself.
#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

#include "access/catalogue/catalog_client_library.h"
#include "access/catalogue/catalog_error.h"

namespace kelvo {

namespace {

// MariaDB Connector/C first; a site that has only the MySQL client keeps it.
constexpr const char* kLibraries[] = {"libmariadb.dll", "libmysql.dll"};

template <typename Pointer>
void resolve(HMODULE library, const char* library_name, const char* entry, Pointer& pointer) {
  const FARPROC address = ::GetProcAddress(library, entry);
  if (address == nullptr) {
    throw CatalogError(std::string("The catalogue client library ") + library_name +
                           " has no entry point " + entry,
                       0);
  }
  pointer = reinterpret_cast<Pointer>(reinterpret_cast<void*>(address));
}

CatalogClientApi load(HMODULE library, const char* library_name) {
  CatalogClientApi api;
#define KELVO_CATALOG_ENTRY(name) resolve(library, library_name, #name, api.name);
#include "access/catalogue/catalog_entry_points.inc"
#undef KELVO_CATALOG_ENTRY
  return api;
}

}  // namespace

const CatalogClientApi& catalogClient() {
  // Never unloaded: connections and results live until the process ends.
  static std::mutex mutex;
  static std::optional<CatalogClientApi> loaded;
  std::lock_guard lock(mutex);
  if (loaded) return *loaded;
  for (const char* name : kLibraries) {
    if (const HMODULE library = ::LoadLibraryA(name)) {
      loaded = load(library, name);
      return *loaded;
    }
  }
  throw CatalogError(
      "Catalogue client library not found: neither libmariadb.dll nor libmysql.dll could be "
      "loaded. Install the 32-bit MariaDB Connector/C beside the program or on the PATH",
      0);
}

}  // namespace kelvo
