// Running a program to its end from a Windows-style command line.
#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace kelvo {
namespace {

TEST(RunProgram, WaitsAndGivesTheExitCodeAlsoForAnUnquotedPathWithBlanks) {
  test::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "Program Files");
  const auto program =
      folder.write("Program Files/tool.exe", "#!/bin/sh\necho \"$1|$2\" > \"$3\"\nexit 3\n");
  chmod(program.c_str(), 0755);
  const std::string out = (folder.path() / "out.txt").string();
  EXPECT_EQ(runProgram(program.string() + " x -o+ \"" + out + "\""), 3);
  EXPECT_EQ(test::readFile(out), "x|-o+\n");
  EXPECT_EQ(runProgram("\"" + program.string() + "\" a b \"" + out + "\""), 3);
  EXPECT_EQ(test::readFile(out), "a|b\n");
  EXPECT_EQ(runProgram((folder.path() / "missing.exe").string()), -1);
  EXPECT_EQ(runProgram(""), -1);
}

}  // namespace
}  // namespace kelvo
