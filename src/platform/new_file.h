// A file written whole under a temporary name and only then given its own,
// which it never takes from an existing file: a name already in use, a link
// planted in its place included, is never opened, replaced or followed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvo {

class NewFile {
 public:
  // Creates a new, hidden file in FOLDER whose name begins with "." +
  // PREFIX. Raises an Error naming FOLDER and the system's reason when it
  // cannot be created.
  static NewFile createIn(const std::string& folder, std::string_view prefix);

  // A file never published is removed: nothing partial is left behind.
  ~NewFile();
  NewFile(NewFile&& other) noexcept;
  NewFile& operator=(NewFile&&) = delete;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Appends DATA; raises an Error naming the file when it cannot be written.
  void write(std::string_view data);
  // Puts what was written on the disk and closes the file. Raises an Error
  // naming the file when that fails.
  void finish();
  // Gives the finished file the name TARGET. Returns false, changing
  // nothing, when TARGET exists (as a file, a folder or a link); raises an
  // Error naming TARGET for any other failure.
  bool publishAs(const std::string& target);

  // The temporary name while unpublished, TARGET once published.
  const std::string& path() const { return path_; }

 private:
  NewFile(std::string path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}
  // Returns a fresh temporary name in FOLDER for createIn to try.
  static std::string temporaryPath(const std::string& folder, std::string_view prefix);
  // How many taken temporary names createIn passes over before it gives up.
  static constexpr int kAttempts = 100;

  std::string path_;
  std::intptr_t handle_;  // the system's descriptor or handle; -1 once closed
  bool published_ = false;
};

}  // namespace kelvo
