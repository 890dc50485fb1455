// A scratch folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace kelvo::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Returns the folder's absolute path.
  const std::filesystem::path& path() const { return path_; }

  // Writes CONTENT to the file NAME inside the folder and returns its path.
  std::filesystem::path write(const std::string& name, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

// Returns how many entries the folder FOLDER holds (leftover temporary
// files show up here).
std::size_t entriesIn(const std::filesystem::path& folder);

// Returns every file and folder below FOLDER, sorted, one a line: its path
// relative to FOLDER, its last-write time and its bytes in hexadecimal
// ("folder" for a folder), for checking that a run touched nothing.
std::string folderSnapshot(const std::filesystem::path& folder);

// Returns the whole content of the file PATH; throws when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// Makes a folder the process's working folder for the lifetime of the object.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace kelvo::test
