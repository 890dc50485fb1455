// What the platforms' new files share.
#include "platform/new_file.h"

#include <filesystem>
#include <random>

#include "platform/files.h"
#include "platform/native_path.h"

namespace kelvo {

NewFile NewFile::createIn(const std::string& folder, std::string_view prefix) {
  return createIn(LinkFreeFolder(folder), prefix);
}

std::string NewFile::temporaryName(std::string_view prefix) {
  // Hidden, and random so that two runs writing the same folder never meet.
  static thread_local std::random_device random;
  return "." + std::string(prefix) + "-" + std::to_string(random()) + ".part";
}

std::string NewFile::nameOf(const std::string& target) {
  return utf8Text(filePath(target).filename());
}

std::string NewFile::joinedPath() const { return joinPath(folder_.path(), name_); }

bool NewFile::publishAs(const std::string& target) { return moveTo(target, false); }

void NewFile::replace(const std::string& target) { moveTo(target, true); }

}  // namespace kelvo
