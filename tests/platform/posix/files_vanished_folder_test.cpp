// A working folder removed under the program (Windows refuses to remove a
// folder that is some process's working folder).
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using test::TempFolder;
using test::WorkingFolder;

TEST(Files, AFolderThatCannotBeReadGivesNoNames) {
  TempFolder folder;
  const auto gone = folder.path() / "gone";
  std::filesystem::create_directory(gone);
  WorkingFolder cwd(gone);
  std::filesystem::remove(gone);  // the working folder no longer exists
  EXPECT_TRUE(findEntries("*.*").empty());
}

}  // namespace
}  // namespace kelvo
