// The database engine's alias registry: alias name -> ordered NAME=VALUE list.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace kelvo {

// A failure of the alias registry: an unknown alias, or a registry that
// cannot be read.
class AliasError : public Error {
 public:
  using Error::Error;
};

// Maps an alias name to its ordered parameter list. Nothing outside the
// implementations may depend on how aliases are stored.
class AliasRegistry {
 public:
  virtual ~AliasRegistry() = default;

  // Clears LIST and fills it with the NAME=VALUE lines of ALIAS, in the
  // order the registry keeps them. Only the first 31 characters of ALIAS
  // take part in the lookup. Throws AliasError for an unknown alias or a
  // registry that cannot be read.
  virtual void GetAliasParams(std::string_view alias, std::vector<std::string>& list) = 0;
};

// Returns the number of leading characters of an alias name that identify it.
inline constexpr std::size_t kAliasNameLength = 31;

// Returns the registry of this machine (on POSIX the alias file; see
// aliasFilePath()). The registry is read on its first use.
AliasRegistry& systemAliasRegistry();

}  // namespace kelvo
