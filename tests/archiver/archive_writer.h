// Writes small archives for tests, in any format libarchive writes.
#pragma once

#include <string>
#include <vector>

namespace kelvo::test {

struct ArchiveMember {
  std::string path;
  std::string content;
  bool symlink = false;  // CONTENT is then the link's target
};

// Writes MEMBERS to the archive PATH in FORMAT ("zip", "7zip", "pax",
// ...); throws std::runtime_error on failure.
void writeArchive(const std::string& path, const std::vector<ArchiveMember>& members,
                  const std::string& format = "zip");

}  // namespace kelvo::test
