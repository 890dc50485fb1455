// Reading kelvoupdate.ini.
#include "update/site_settings.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include "platform/files.h"

namespace kelvo {

namespace {

constexpr int kLongestWait = 86400;  // a day: anything longer is a typing error

struct Key {
  std::string_view section;
  std::string_view name;
  int SiteSettings::*field;
};

constexpr Key kKeys[] = {
    {"ftp", "read_timeout", &SiteSettings::ftpReadTimeout},
    {"catalogue", "read_timeout", &SiteSettings::catalogueReadTimeout},
    {"catalogue", "write_timeout", &SiteSettings::catalogueWriteTimeout},
};

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The one setting that is not a wait: where the client databases are backed
// up before their scripts.
constexpr std::string_view kBackupSection = "backup";
constexpr std::string_view kBackupFolder = "folder";

// The TLS settings of a section; nothing for a section without them.
TlsSetting* tlsOf(SiteSettings& settings, std::string_view section) {
  if (section == "ftp") return &settings.ftpTls;
  if (section == "catalogue") return &settings.catalogueTls;
  return nullptr;
}

bool knownSection(std::string_view section) {
  if (section == kBackupSection) return true;
  for (const Key& key : kKeys) {
    if (key.section == section) return true;
  }
  return false;
}

const Key* keyNamed(std::string_view section, std::string_view name) {
  for (const Key& key : kKeys) {
    if (key.section == section && key.name == name) return &key;
  }
  return nullptr;
}

std::optional<int> seconds(std::string_view value) {
  int number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) return {};
  if (number < 1 || number > kLongestWait) return {};
  return number;
}

}  // namespace

SiteSettings parseSiteSettings(std::string_view text, const std::string& origin) {
  SiteSettings settings;
  std::string section;
  std::set<std::string> seen;
  std::size_t number = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view line = trimmed(raw);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    const auto fail = [&](const std::string& what) {
      throw SiteSettingsError(origin + ":" + std::to_string(number) + ": " + what);
    };
    if (line.front() == '[') {
      if (line.back() != ']') fail("a section name must end with ']'");
      section = std::string(trimmed(line.substr(1, line.size() - 2)));
      if (!knownSection(section)) fail("unknown section [" + section + "]");
      continue;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
      fail("expected NAME = VALUE, found '" + std::string(line) + "'");
    if (section.empty()) fail("a setting must follow a section such as [ftp]");
    const std::string name(trimmed(line.substr(0, equals)));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (section == kBackupSection && name == kBackupFolder) {
      if (settings.backupFolder) fail("'" + name + "' is set twice in [" + section + "]");
      // Never a folder relative to wherever the update happens to run.
      if (!std::filesystem::path(std::string(value)).is_absolute()) {
        fail("'folder' must be an absolute path, not '" + std::string(value) + "'");
      }
      settings.backupFolder = std::string(value);
      continue;
    }
    TlsSetting* tls = tlsOf(settings, section);
    if (tls != nullptr && (name == "tls" || name == "ca_file")) {
      if (!seen.insert(section + "." + name).second)
        fail("'" + name + "' is set twice in [" + section + "]");
      if (name == "tls") {
        if (value != "required" && value != "off")
          fail("'tls' must be 'required' or 'off', not '" + std::string(value) + "'");
        tls->required = value == "required";
      } else {
        if (!std::filesystem::path(std::string(value)).is_absolute())
          fail("'ca_file' must be an absolute path, not '" + std::string(value) + "'");
        tls->caFile = std::string(value);
      }
      continue;
    }
    const Key* key = keyNamed(section, name);
    if (key == nullptr) fail("unknown setting '" + name + "' in [" + section + "]");
    if (!seen.insert(section + "." + name).second)
      fail("'" + name + "' is set twice in [" + section + "]");
    const std::optional<int> value_seconds = seconds(value);
    if (!value_seconds) {
      fail("'" + name + "' must be a whole number of seconds from 1 to " +
           std::to_string(kLongestWait) + ", not '" + std::string(value) + "'");
    }
    settings.*(key->field) = *value_seconds;
  }
  return settings;
}

SiteSettings loadSiteSettings(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return {};
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  if (!in || in.bad()) {
    throw SiteSettingsError("Cannot read the settings file " + path + ": " +
                            systemErrorMessage(errno));
  }
  return parseSiteSettings(text.str(), path);
}

std::optional<std::string> siteSettingsPath() {
  const char* configured = std::getenv("KELVOUPDATE_CONFIG");
  if (configured != nullptr && *configured != '\0') {
    // The working folder is filled from the update server: a file placed
    // there must never choose how long the update waits.
    if (!std::filesystem::path(configured).is_absolute()) {
      throw SiteSettingsError(
          std::string("KELVOUPDATE_CONFIG must name the settings file by an absolute path, not '") +
          configured + "'");
    }
    return configured;
  }
  return defaultSiteSettingsPath();
}

SiteSettings readSiteSettings() {
  const std::optional<std::string> path = siteSettingsPath();
  return path ? loadSiteSettings(*path) : SiteSettings{};
}

}  // namespace kelvo
