// On Windows the settings file lies in the machine's program data folder.
#include <cstdlib>
#include <filesystem>

#include "update/site_settings.h"

namespace kelvo {

std::optional<std::string> defaultSiteSettingsPath() {
  const char* data = std::getenv("ProgramData");
  if (data == nullptr || !std::filesystem::path(data).is_absolute()) return std::nullopt;
  return (std::filesystem::path(data) / "KelvoUpdate" / "kelvoupdate.ini").string();
}

}  // namespace kelvo
