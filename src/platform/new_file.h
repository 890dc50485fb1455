// A file written whole under a temporary name and only then given its own.
// It is always a new file, created exclusively: a name already in use, a
// link planted in its place included, is never opened or followed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/link_free_folder.h"

namespace kelvo {

class NewFile {
 public:
  // Creates a new, hidden file in FOLDER whose name begins with "." +
  // PREFIX. Raises an Error naming FOLDER and the system's reason when it
  // cannot be created.
  static NewFile createIn(const std::string& folder, std::string_view prefix);
  // The same in a folder opened without following links.
  static NewFile createIn(LinkFreeFolder folder, std::string_view prefix);

  // A file never published is removed: nothing partial is left behind.
  ~NewFile();
  NewFile(NewFile&& other) noexcept;
  NewFile& operator=(NewFile&&) = delete;
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Appends DATA; raises an Error naming the file when it cannot be written.
  void write(std::string_view data);
  // Gives the file the permission bits MODE where the system has them.
  void setPermissions(unsigned mode);
  // Gives the file the last-write time SECONDS + NANOSECONDS after
  // 1970-01-01 00:00 UTC; a time that cannot be set goes unnoticed.
  void setLastWriteTime(std::int64_t seconds, long nanoseconds);
  // Puts what was written on the disk and closes the file. Raises an Error
  // naming the file when that fails.
  void finish();
  // Gives the finished file the name TARGET, a file of the folder it was
  // created in (a folder part of TARGET is not looked at). Returns false,
  // changing nothing, when TARGET exists (as a file, a folder or a link);
  // raises an Error naming TARGET for any other failure.
  bool publishAs(const std::string& target);
  // Gives the finished file the name TARGET as publishAs does, replacing a
  // file of that name in one step; a link of that name is replaced, not
  // followed. Raises an Error naming TARGET when that fails.
  void replace(const std::string& target);

  // The temporary name while unpublished, TARGET once published.
  const std::string& path() const { return path_; }

 private:
  NewFile(LinkFreeFolder folder, std::string name, std::intptr_t handle)
      : folder_(std::move(folder)), name_(std::move(name)), path_(joinedPath()), handle_(handle) {}
  // Returns a fresh temporary name for createIn to try.
  static std::string temporaryName(std::string_view prefix);
  // Returns the name TARGET takes in the folder, without its folder part.
  static std::string nameOf(const std::string& target);
  std::string joinedPath() const;
  // Moves the finished file to TARGET, replacing a file there when
  // REPLACING; returns false when TARGET exists and is not replaced.
  bool moveTo(const std::string& target, bool replacing);
  // How many taken temporary names createIn passes over before it gives up.
  static constexpr int kAttempts = 100;

  LinkFreeFolder folder_;
  std::string name_;  // in folder_
  std::string path_;
  std::intptr_t handle_;  // the system's descriptor or handle; -1 once closed
  bool published_ = false;
};

}  // namespace kelvo
