// On POSIX the settings file lies beside the alias file.
#include <filesystem>

#include "access/catalogue/alias_file.h"
#include "update/site_settings.h"

namespace kelvo {

std::optional<std::string> defaultSiteSettingsPath() {
  try {
    return (std::filesystem::path(aliasFilePath()).parent_path() / "kelvoupdate.ini").string();
  } catch (const AliasError&) {
    // No absolute folder for the alias file: none for the settings either.
    return std::nullopt;
  }
}

}  // namespace kelvo
