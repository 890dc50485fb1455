// Opens the client library with dlopen.
#include <dlfcn.h>

#include "access/interbase/ib_client_library.h"

namespace kelvo {

const char* defaultIbLibraryName() { return "libfbclient.so.2"; }

void* openIbLibraryFile(const std::string& file_name) {
  return ::dlopen(file_name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* findIbEntryPoint(void* library, const char* name) { return ::dlsym(library, name); }

}  // namespace kelvo
