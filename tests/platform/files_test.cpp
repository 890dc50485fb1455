// The working folder's entries and single-file operations on a real file system.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/temp_folder.h"

namespace kelvo {
namespace {

using test::TempFolder;
using test::WorkingFolder;

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Files, FindEntriesListsEveryKindOfMatchingEntry) {
  TempFolder folder;
  folder.write("SCRIPT_ERRO_a.TXT", "x");
  folder.write("script_erro_lower.txt", "x");
  folder.write("SCRIPT_ERRO", "x");
  folder.write(".SCRIPT_ERRO_hidden", "x");
  folder.write("other.txt", "x");
  std::filesystem::create_directory(folder.path() / "SCRIPT_ERRO_DIR");
  std::filesystem::permissions(folder.path() / "SCRIPT_ERRO_a.TXT",
                               std::filesystem::perms::none);  // unreadable files still count
  WorkingFolder cwd(folder.path());
  EXPECT_EQ(sorted(findEntries("SCRIPT_ERRO*.*")),
            (std::vector<std::string>{"SCRIPT_ERRO", "SCRIPT_ERRO_DIR", "SCRIPT_ERRO_a.TXT",
                                      "script_erro_lower.txt"}));
  const auto all = findEntries("*.*");
  EXPECT_NE(std::find(all.begin(), all.end(), ".SCRIPT_ERRO_hidden"), all.end());
  EXPECT_EQ(sorted(findEntries("*.txt")),
            (std::vector<std::string>{"SCRIPT_ERRO_a.TXT", "other.txt", "script_erro_lower.txt"}));
}

TEST(Files, FindEntriesCopesWithOddFolders) {
  TempFolder folder;
  folder.write("SCRIPT_ERRO_中文.TXT", "x");
  folder.write("SCRIPT_ERRO_" + std::string(240, 'x'), "x");
  for (int i = 0; i < 3000; ++i) folder.write("file" + std::to_string(i), "");
  WorkingFolder cwd(folder.path());
  EXPECT_EQ(findEntries("SCRIPT_ERRO*.*").size(), 2u);
  EXPECT_EQ(findEntries("file*").size(), 3000u);
}

TEST(Files, LastWriteTimeIsSetAndReadInLocalTime) {
  TempFolder folder;
  const std::string path = folder.write("a.bin", "data").string();
  const TDateTime when = composeDateTime(encodeDate(2021, 6, 30), encodeTime(17, 45, 0, 0));
  ASSERT_TRUE(setFileLastWriteTime(path, when));
  const auto read = fileLastWriteTime(path);
  ASSERT_TRUE(read.has_value());
  EXPECT_DOUBLE_EQ(*read, when);
  EXPECT_FALSE(fileLastWriteTime((folder.path() / "missing").string()).has_value());
  EXPECT_FALSE(setFileLastWriteTime((folder.path() / "missing").string(), when));
}

TEST(Files, CopyNeverOverwritesAndKeepsTheTime) {
  TempFolder folder;
  const std::string source = folder.write("Sys_Tavrela.exe", "new program").string();
  const std::string target = (folder.path() / "Sys_Tavrela.old").string();
  const TDateTime when = composeDateTime(encodeDate(2020, 1, 2), encodeTime(3, 4, 0, 0));
  setFileLastWriteTime(source, when);
  ASSERT_TRUE(copyFileNoOverwrite(source, target));
  EXPECT_DOUBLE_EQ(*fileLastWriteTime(target), when);

  folder.write("Sys_Tavrela.exe", "newer program");
  EXPECT_FALSE(copyFileNoOverwrite(source, target));
  std::ifstream in(target);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "new program");
  EXPECT_FALSE(
      copyFileNoOverwrite((folder.path() / "missing").string(), (folder.path() / "x").string()));
  EXPECT_FALSE(fileExists((folder.path() / "x").string()));
}

TEST(Files, ExistsAndDeleteTellFilesFromFolders) {
  TempFolder folder;
  const std::string file = folder.write("f", "").string();
  const std::string dir = (folder.path() / "d").string();
  std::filesystem::create_directory(dir);
  EXPECT_TRUE(fileExists(file));
  EXPECT_FALSE(fileExists(dir));
  EXPECT_TRUE(directoryExists(dir));
  EXPECT_FALSE(deleteFile(dir));
  EXPECT_TRUE(directoryExists(dir));
  EXPECT_TRUE(deleteFile(file));
  EXPECT_FALSE(fileExists(file));
  EXPECT_FALSE(deleteFile(file));
}

TEST(Files, JoinPathUsesTheNativeSeparator) {
  EXPECT_EQ(joinPath("a", "b"), std::string("a") + kPathDelimiter + "b");
  EXPECT_EQ(joinPath("", "b"), "b");
  EXPECT_EQ(joinPath(std::string("a") + kPathDelimiter, "b"),
            std::string("a") + kPathDelimiter + "b");
}

}  // namespace
}  // namespace kelvo
