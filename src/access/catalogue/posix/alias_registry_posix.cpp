// On POSIX the machine's alias registry is the alias file, kept with the
// user's configuration.
#include <filesystem>

#include "access/catalogue/alias_file.h"
#include "platform/environment.h"

namespace kelvo {

AliasRegistry& systemAliasRegistry() {
  static AliasFileRegistry registry;  // finds its file on first use
  return registry;
}

std::string defaultAliasFilePath() {
  const auto absolute = [](const std::string& path) {
    return !path.empty() && std::filesystem::path(path).is_absolute();
  };
  if (std::string config = environmentVariable("XDG_CONFIG_HOME"); absolute(config)) {
    return config + "/kelvoupdate/aliases.ini";
  }
  if (std::string home = environmentVariable("HOME"); absolute(home)) {
    return home + "/.config/kelvoupdate/aliases.ini";
  }
  throw AliasError(
      "No alias file: set KELVOUPDATE_ALIASES to its absolute path (neither XDG_CONFIG_HOME nor "
      "HOME names an absolute folder)");
}

}  // namespace kelvo
