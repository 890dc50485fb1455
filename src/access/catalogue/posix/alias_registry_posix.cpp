// On POSIX the machine's alias registry is the alias file.
#include "access/catalogue/alias_file.h"

namespace kelvo {

AliasRegistry& systemAliasRegistry() {
  static AliasFileRegistry registry(aliasFilePath());
  return registry;
}

}  // namespace kelvo
