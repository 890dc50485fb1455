// Path helpers shared by every platform.
#include "platform/files.h"

namespace kelvo {

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != kPathDelimiter) path += kPathDelimiter;
  path += name;
  return path;
}

}  // namespace kelvo
