// The machine's alias registry on Windows.
#include "access/catalogue/alias_file.h"

namespace kelvo {

// FIXME: the database engine's own registry belongs here; until it is
// written, Windows reads the same alias file as POSIX.
AliasRegistry& systemAliasRegistry() {
  static AliasFileRegistry registry;  // finds its file on first use
  return registry;
}

}  // namespace kelvo
