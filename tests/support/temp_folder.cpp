// Scratch folders and working-folder switching for tests.
#include "support/temp_folder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "platform/hex_text.h"
#include "platform/native_path.h"

namespace kelvo::test {

TempFolder::TempFolder() {
  // A fresh name each time; create_directory fails for one that exists, so
  // two tests never share a folder.
  static std::mt19937_64 generator{std::random_device{}()};
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "kelvo-test-%012llx",
                  static_cast<unsigned long long>(generator() & 0xFFFFFFFFFFFFull));
    if (std::filesystem::create_directory(base / name)) {
      path_ = base / name;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::write(const std::string& name, const std::string& content) const {
  const auto file = path_ / filePath(name);
  std::ofstream out(file, std::ios::binary);
  out << content;
  if (!out) {
    throw std::runtime_error("cannot write " + file.string());
  }
  return file;
}

std::string folderSnapshot(const std::filesystem::path& folder) {
  std::set<std::string> lines;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::ostringstream line;
    line << entry.path().lexically_relative(folder).string() << ' '
         << entry.last_write_time().time_since_epoch().count() << ' '
         << (entry.is_regular_file() ? toHex(readFile(entry.path())) : "folder");
    lines.insert(line.str());
  }
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  return all;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

WorkingFolder::WorkingFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

std::size_t entriesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                std::filesystem::directory_iterator()));
}

}  // namespace kelvo::test
