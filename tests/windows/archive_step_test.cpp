// The archive step against a real Windows process: the stand-in for WinRAR
// installed below a program-files folder with blanks in its name, as
// "C:\Program Files" has, started with the step's command line from the
// site's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/native_path.h"
#include "platform/process.h"
#include "support/portable.h"
#include "support/temp_folder.h"
#include "update/file_update_run.h"

namespace kelvo {
namespace {

class ArchiverOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* standin = std::getenv("KELVO_ARCHIVER_STANDIN");
    ASSERT_NE(standin, nullptr) << "the test names the stand-in program";
    std::filesystem::create_directories(archiver.parent_path());
    std::filesystem::copy_file(standin, archiver);
    std::filesystem::create_directory(site);
  }

  // Returns the arguments of the command line the stand-in recorded in its
  // last run, after checking that it names the stand-in. Wine puts quotes
  // around a program path it found by trying the blanks in it; Windows hands
  // the line on as it was given.
  std::string recordedArguments() const {
    const std::string line = test::readFile(archiver.string() + ".command-line.txt");
    const std::string program = utf8Text(archiver);
    for (const std::string& start : {program + " ", "\"" + program + "\" "}) {
      if (line.starts_with(start)) return line.substr(start.size());
    }
    ADD_FAILURE() << "the stand-in was started as " << line;
    return {};
  }

  test::TempFolder machine;
  const std::filesystem::path program_files = machine.path() / "Program Files";
  const std::filesystem::path archiver = program_files / "winrar" / "WinRAR.exe";
  const std::filesystem::path site = machine.path() / "Loja Central";
};

TEST_F(ArchiverOnWindows, TheStepsCommandLineReachesTheArchiverAndTheStepWaitsForIt) {
  std::ofstream(site / "Sys_Tavrela.rar") << "archive";
  test::WorkingFolder inside(site);
  const std::string line = archiverCommandLine(utf8Text(program_files), "Sys_Tavrela.exe");
  EXPECT_EQ(line, utf8Text(archiver) + " x -o+ Sys_Tavrela.rar *.exe \".\\\"");

  EXPECT_EQ(runProgram(line), 0);
  EXPECT_EQ(recordedArguments(), "x -o+ Sys_Tavrela.rar *.exe \".\\\"");
  // The stand-in takes its time: the file is there because the step waited.
  EXPECT_EQ(test::readFile(site / "Sys_Tavrela.exe"), "extracted from Sys_Tavrela.rar");
}

TEST_F(ArchiverOnWindows, AQuotedTargetFolderWithBlanksAndATrailingBackslashIsOneWord) {
  std::ofstream(site / "Sys_Tavrela.rar") << "archive";
  test::WorkingFolder inside(site);
  const std::string main_executable = utf8Text(site / "Sys_Tavrela.exe");
  const std::string line = archiverCommandLine(utf8Text(program_files), main_executable);
  EXPECT_EQ(line, utf8Text(archiver) + " x -o+ Sys_Tavrela.rar *.exe \"" + utf8Text(site) + "\\\"");
  EXPECT_EQ(runProgram(line), 0);
  EXPECT_EQ(recordedArguments(), "x -o+ Sys_Tavrela.rar *.exe \"" + utf8Text(site) + "\\\"");
  EXPECT_TRUE(std::filesystem::exists(site / "Sys_Tavrela.exe"));
}

TEST_F(ArchiverOnWindows, ExitCodesAndProgramsThatCannotStart) {
  test::WorkingFolder inside(site);  // no archive here: the stand-in says so
  const std::string line = archiverCommandLine(utf8Text(program_files), "Sys_Tavrela.exe");
  EXPECT_EQ(runProgram(line), 3);
  EXPECT_EQ(runProgram("\"" + utf8Text(archiver) + "\" a b"), 2);
  EXPECT_EQ(recordedArguments(), "a b");
  EXPECT_FALSE(std::filesystem::exists(site / "Sys_Tavrela.exe"));
  EXPECT_EQ(runProgram(utf8Text(machine.path() / "missing.exe")), -1);
  EXPECT_EQ(runProgram(""), -1);
}

}  // namespace
}  // namespace kelvo
