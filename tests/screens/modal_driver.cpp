// Folder snapshots for "touched nothing" checks.
#include "screens/modal_driver.h"

#include <filesystem>
#include <set>
#include <sstream>

namespace kelvo::test {

std::string folderSnapshot(const std::string& folder) {
  std::set<std::string> lines;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::ostringstream line;
    line << entry.path().string() << ' '
         << (entry.is_regular_file() ? entry.file_size() : 0) << ' '
         << entry.last_write_time().time_since_epoch().count();
    lines.insert(line.str());
  }
  std::string all;
  for (const auto& l : lines) all += l + "\n";
  return all;
}

}  // namespace kelvo::test
