// Merges alias parameters and connection parameters into connection settings.
#include "access/catalogue/catalog_settings.h"

#include <charconv>
#include <filesystem>
#include <string_view>

#include "platform/ascii.h"
#include "platform/error.h"

namespace kelvo {

namespace {

unsigned readNumber(std::string_view name, std::string_view value) {
  unsigned number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) {
    throw Error("Invalid " + std::string(name) + " '" + std::string(value) +
                "' for the central catalogue: a whole number is expected");
  }
  return number;
}

void apply(CatalogSettings& settings, const std::vector<std::string>& params) {
  for (const std::string& line : params) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name =
        upperAscii(trimBlanksAndTabs(std::string_view(line).substr(0, equals)));
    // Values stand as given: the alias file trims its own, and a password
    // may begin or end with a blank.
    const std::string value = line.substr(equals + 1);
    if (name == "SERVER NAME") {
      settings.host = value;
    } else if (name == "PORT") {
      settings.port = readNumber(name, value);
    } else if (name == "DATABASE NAME") {
      settings.database = value;
    } else if (name == "USER NAME") {
      settings.user = value;
    } else if (name == "PASSWORD") {
      settings.password = value;
    } else if (name == "SOCKET") {
      settings.socket = value;
    } else if (name == "CONNECT TIMEOUT") {
      settings.connect_timeout = readNumber(name, value);
    } else if (name == "READ TIMEOUT") {
      settings.read_timeout = readNumber(name, value);
    } else if (name == "WRITE TIMEOUT") {
      settings.write_timeout = readNumber(name, value);
    } else if (name == "TLS") {
      const std::string mode = upperAscii(value);
      if (mode != "REQUIRED" && mode != "OFF") {
        throw Error("Invalid TLS '" + value + "' for the central catalogue: REQUIRED or OFF");
      }
      // Whoever asks for TLS gets it: a later OFF does not take it back.
      settings.tls = settings.tls || mode == "REQUIRED";
    } else if (name == "TLS CA FILE") {
      if (!std::filesystem::path(value).is_absolute()) {
        throw Error("Invalid TLS CA FILE '" + value +
                    "' for the central catalogue: an absolute path is expected");
      }
      settings.tls_ca_file = value;
    }
  }
}

}  // namespace

bool isCatalogSetting(std::string_view name) {
  static constexpr std::string_view kNames[] = {
      "SERVER NAME",     "PORT",         "DATABASE NAME", "USER NAME", "PASSWORD",   "SOCKET",
      "CONNECT TIMEOUT", "READ TIMEOUT", "WRITE TIMEOUT", "TLS",       "TLS CA FILE"};
  const std::string upper = upperAscii(name);
  for (const std::string_view known : kNames) {
    if (upper == known) return true;
  }
  return false;
}

CatalogSettings catalogSettings(const std::vector<std::string>& alias_params,
                                const std::vector<std::string>& connection_params) {
  CatalogSettings settings;
  apply(settings, alias_params);
  apply(settings, connection_params);
  return settings;
}

}  // namespace kelvo
