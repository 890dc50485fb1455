// Opens the client library with LoadLibrary.
#include <windows.h>

#include "access/interbase/ib_client_library.h"

namespace kelvo {

const char* defaultIbLibraryName() { return "gds32.dll"; }

void* openIbLibraryFile(const std::string& file_name) {
  return reinterpret_cast<void*>(::LoadLibraryA(file_name.c_str()));
}

void* findIbEntryPoint(void* library, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

}  // namespace kelvo
