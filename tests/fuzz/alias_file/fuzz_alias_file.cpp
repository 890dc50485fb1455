// libFuzzer target: any bytes as an alias file. Parsing never fails as a
// whole; every alias it yields must be found again by its own name, with a
// driver when it is usable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "access/catalogue/alias_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const kelvo::AliasFile file = kelvo::AliasFile::parse(text, "aliases.ini");
  for (const kelvo::AliasEntry& alias : file.aliases()) {
    const kelvo::AliasEntry* found = file.find(alias.name);
    if (found == nullptr || kelvo::aliasKey(found->name) != kelvo::aliasKey(alias.name))
      std::abort();
    if (alias.problem.empty() && alias.driver.empty()) std::abort();
    if (kelvo::aliasKey(alias.name).size() > alias.name.size()) std::abort();
  }
  return 0;
}
