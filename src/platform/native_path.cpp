// The one mapping of backslash paths to the native separator.
#include "platform/native_path.h"

#include "platform/files.h"

namespace kelvo {

std::string nativePath(std::string_view path) {
  std::string native(path);
  for (char& c : native) {
    if (c == '\\') c = kPathDelimiter;
  }
  return native;
}

std::filesystem::path filePath(std::string_view path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string utf8Text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace kelvo
