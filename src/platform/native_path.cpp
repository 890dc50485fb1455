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

}  // namespace kelvo
