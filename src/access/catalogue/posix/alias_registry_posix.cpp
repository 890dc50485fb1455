// On POSIX the machine's alias registry is the alias file.
#include "access/catalogue/alias_file.h"

namespace kelvo {

AliasRegistry& systemAliasRegistry() {
  static AliasFileRegistry registry;  // finds its file on first use
  return registry;
}

}  // namespace kelvo
