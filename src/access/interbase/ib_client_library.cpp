// Loads the client library once per file name and resolves its entry points.
#include "access/interbase/ib_client_library.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/error.h"

namespace kelvo {

namespace {

Error libraryNotFound(const std::string& file_name) {
  return Error("InterBase library " + file_name +
               " not found in the path. Please install InterBase to use this functionality");
}

template <typename Pointer>
void resolve(void* library, const char* name, Pointer& entry, const std::string& file_name) {
  void* address = findIbEntryPoint(library, name);
  if (address == nullptr) throw libraryNotFound(file_name);
  entry = reinterpret_cast<Pointer>(address);
}

}  // namespace

std::string ibClientLibraryName() {
  const char* configured = std::getenv("KELVOUPDATE_FBCLIENT");
  if (configured != nullptr && *configured != '\0') return configured;
  return defaultIbLibraryName();
}

std::shared_ptr<const IbClientApi> loadIbClientLibrary() {
  return loadIbClientLibrary(ibClientLibraryName());
}

std::shared_ptr<const IbClientApi> loadIbClientLibrary(const std::string& file_name) {
  // The library is never unloaded: it starts threads of its own (and, used
  // embedded, the whole engine) that must not lose their code under them.
  static std::mutex mutex;
  static std::map<std::string, std::shared_ptr<const IbClientApi>> loaded;
  std::lock_guard lock(mutex);
  if (auto found = loaded.find(file_name); found != loaded.end()) return found->second;

  void* library = openIbLibraryFile(file_name);
  if (library == nullptr) throw libraryNotFound(file_name);
  auto api = std::make_shared<IbClientApi>();
#define KELVO_IB_ENTRY(name) resolve(library, #name, api->name, file_name);
#include "access/interbase/ib_entry_points.inc"
#undef KELVO_IB_ENTRY
  loaded.emplace(file_name, api);
  return api;
}

}  // namespace kelvo
