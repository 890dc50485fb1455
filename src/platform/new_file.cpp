// What the platforms' new files share.
#include "platform/new_file.h"

#include <random>

#include "platform/files.h"

namespace kelvo {

std::string NewFile::temporaryPath(const std::string& folder, std::string_view prefix) {
  // Hidden, and random so that two runs writing the same folder never meet.
  static thread_local std::random_device random;
  return joinPath(folder, "." + std::string(prefix) + "-" + std::to_string(random()) + ".part");
}

}  // namespace kelvo
