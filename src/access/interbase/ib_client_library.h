// The client database library, loaded at run time, and the table of its
// entry points that every client database call goes through.
#pragma once

#include <ibase.h>

#include <memory>
#include <string>

namespace kelvo {

// Every entry point of the client library this system calls. The members
// carry the C names so that a call reads like the library's documentation.
// Tests copy a loaded table and replace single entries to make a commit or a
// fetch fail; production code never changes a loaded table.
struct IbClientApi {
#define KELVO_IB_ENTRY(name) decltype(&::name) name = nullptr;
#include "access/interbase/ib_entry_points.inc"
#undef KELVO_IB_ENTRY
};

// Returns the file name of the client library: the value of the environment
// variable KELVOUPDATE_FBCLIENT when set, else the platform's default.
std::string ibClientLibraryName();

// Returns the entry points of the client library named by
// ibClientLibraryName(), loading it on first use. Raises "InterBase library
// %s not found in the path. Please install InterBase to use this
// functionality" when the library or one of its entry points is missing.
std::shared_ptr<const IbClientApi> loadIbClientLibrary();

// Returns the entry points of the library FILE_NAME (same error as above).
std::shared_ptr<const IbClientApi> loadIbClientLibrary(const std::string& file_name);

// Operating-system part of the loader (one source per platform): opens the
// library or returns null; finds an entry point or returns null.
void* openIbLibraryFile(const std::string& file_name);
void* findIbEntryPoint(void* library, const char* name);
// Returns the platform's default library file name.
const char* defaultIbLibraryName();

}  // namespace kelvo
