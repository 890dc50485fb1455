// libFuzzer target: any bytes as the registry stand-in. A malformed file
// raises kelvo::Error and nothing else; a parsed one answers look-ups.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/error.h"
#include "platform/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  try {
    const kelvo::RegFile file = kelvo::RegFile::parse(content, "registry.reg");
    const kelvo::RegFileKey* key =
        file.findKey("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion");
    if (key != nullptr) {
      for (const kelvo::RegFileValue& value : key->values) {
        if (key->find(value.name) == nullptr) std::abort();
      }
    }
  } catch (const kelvo::Error&) {
  }
  return 0;
}
