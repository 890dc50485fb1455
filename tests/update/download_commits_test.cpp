// Downloads committed on worker threads: each row hears how its commit went,
// a failed one keeps the old copy, and a stop leaves no temporary file.
#include "update/download_commits.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempFolder;

std::unique_ptr<FtpDownloadFile> downloaded(const fs::path& destination, const std::string& data) {
  auto file = std::make_unique<FtpDownloadFile>(destination.string());
  file->write(data.data(), data.size());
  return file;
}

TEST(DownloadCommitsTest, EachRowHearsItsCommitAndAFailedOneKeepsTheOldCopy) {
  struct Case {
    const char* what;
    bool renameFails;  // a folder took the name after the download began
  };
  const Case cases[] = {
      {"replaced and stamped", false},
      {"rename refused", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const fs::path destination = folder.write("a.dat", "old");
    std::unique_ptr<FtpDownloadFile> file = downloaded(destination, "new");
    if (c.renameFails) {
      fs::remove(destination);
      fs::create_directory(destination);
      folder.write("a.dat/kept", "old");
    }
    bool stamped = false;
    DownloadCommits commits;
    commits.add(7, std::move(file), [&] { stamped = true; });
    const std::vector<DownloadCommit> done = commits.finish();

    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].row, 7u);
    EXPECT_EQ(done[0].error.has_value(), c.renameFails);
    EXPECT_EQ(stamped, !c.renameFails);
    if (c.renameFails) {
      EXPECT_NE(done[0].error->find("Cannot create file"), std::string::npos) << *done[0].error;
      EXPECT_EQ(readFile(destination / "kept"), "old");
    } else {
      EXPECT_EQ(readFile(destination), "new");
    }
    EXPECT_EQ(test::entriesIn(folder.path()), 1u);  // no temporary file left
    EXPECT_TRUE(commits.takeFinished().empty());
  }
}

// A stop drops the commits not begun: whatever was under way finishes,
// every other old copy stays whole, and no temporary file is left.
TEST(DownloadCommitsTest, DroppedCommitsLeaveOldCopiesAndNoTemporaryFile) {
  TempFolder folder;
  constexpr int kFiles = 40;
  {
    DownloadCommits commits;
    for (int i = 0; i < kFiles; ++i) {
      const fs::path destination = folder.write(std::to_string(i), "old");
      commits.add(static_cast<std::size_t>(i), downloaded(destination, "new"), {});
    }
  }
  EXPECT_EQ(test::entriesIn(folder.path()), static_cast<std::size_t>(kFiles));
  for (int i = 0; i < kFiles; ++i) {
    const std::string content = readFile(folder.path() / std::to_string(i));
    EXPECT_TRUE(content == "old" || content == "new") << i << ": " << content;
  }
}

}  // namespace
}  // namespace kelvo
