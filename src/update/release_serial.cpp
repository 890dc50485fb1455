// The state file of the accepted release serial.
#include "update/release_serial.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/error.h"
#include "platform/files.h"
#include "update/site_settings.h"

namespace kelvo {

std::optional<std::string> releaseSerialPath() {
  const std::optional<std::string> settings = siteSettingsPath();
  if (!settings) return std::nullopt;
  return (std::filesystem::path(*settings).parent_path() / "kelvoupdate-state" / "release-serial")
      .string();
}

std::uint64_t readAcceptedSerial(const std::string& path) {
  if (!fileExists(path)) return 0;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  std::string value = text.str();
  if (!value.empty() && value.back() == '\n') value.pop_back();
  std::uint64_t serial = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), serial);
  if (!in || value.empty() || error != std::errc() || end != value.data() + value.size()) {
    throw Error("O número de série guardado em " + path + " não pôde ser lido.");
  }
  return serial;
}

void storeAcceptedSerial(const std::string& path, std::uint64_t serial) {
  const std::filesystem::path file(path);
  std::error_code ignored;
  std::filesystem::create_directories(file.parent_path(), ignored);
  const std::string temporary = path + ".new";
  const std::string text = std::to_string(serial) + "\n";
  std::FILE* out = openFile(temporary, "wb");
  bool kept = out != nullptr && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  int reason = errno;
  if (out != nullptr && std::fclose(out) != 0 && kept) {
    kept = false;
    reason = errno;
  }
  if (kept && !replaceFile(temporary, path)) {
    kept = false;
    reason = errno;
  }
  if (!kept) {
    deleteFile(temporary);
    throw Error("O número de série da atualização não pôde ser gravado em " + path + ": " +
                errorNumberMessage(reason));
  }
}

}  // namespace kelvo
