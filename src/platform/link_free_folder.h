// A folder reached from a root one name at a time, never through a symbolic
// link or a junction: whoever can plant a link below the root cannot send a
// write outside it. The folders stay open while in use, so a step checked
// once cannot be swapped for a link behind the caller's back.
#pragma once

#include <cstdint>
#include <string>

namespace kelvo {

class LinkFreeFolder {
 public:
  // Opens ROOT (empty: the working folder) as it is: the caller's own
  // folder, links included. Raises an Error naming ROOT and the system's
  // reason when it cannot be opened.
  explicit LinkFreeFolder(const std::string& root);
  ~LinkFreeFolder();
  LinkFreeFolder(LinkFreeFolder&& other) noexcept;
  LinkFreeFolder& operator=(LinkFreeFolder&& other) noexcept;
  LinkFreeFolder(const LinkFreeFolder&) = delete;
  LinkFreeFolder& operator=(const LinkFreeFolder&) = delete;

  // Opens the folder NAME (one name, no separator) inside this one,
  // creating it first when it is missing and CREATE is set. Raises an Error
  // naming the path when NAME is a symbolic link or junction (never
  // followed), not a folder, or cannot be opened or created.
  LinkFreeFolder open(const std::string& name, bool create) const;

  // Returns true when NAME inside this folder is a symbolic link or
  // junction.
  bool holdsLink(const std::string& name) const;

  // The folder's path, for messages and for names below it.
  const std::string& path() const { return path_; }
  // The system's descriptor or handle of the open folder.
  std::intptr_t handle() const { return handle_; }

 private:
  LinkFreeFolder(std::string path, std::intptr_t handle)
      : path_(std::move(path)), handle_(handle) {}
  void release() noexcept;

  std::string path_;
  std::intptr_t handle_;  // -1 once moved from
};

}  // namespace kelvo
