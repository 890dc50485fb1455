// The archive step against a real Windows process: the stand-in for WinRAR
// installed below a program-files folder with blanks in its name, as
// "C:\Program Files" has, started with the step's command line from the
// site's folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

  // Returns the command line the stand-in recorded in its last run.
  std::string recorded() const {
    return test::readFile(archiver.string() + ".command-line.txt");
  }

  test::TempFolder machine;
  const std::filesystem::path program_files = machine.path() / "Program Files";
  const std::filesystem::path archiver = program_files / "winrar" / "WinRAR.exe";
  const std::filesystem::path site = machine.path() / "Loja Central";
};

TEST_F(ArchiverOnWindows, TheStepsCommandLineReachesTheArchiverAndTheStepWaitsForIt) {
  std::ofstream(site / "Sys_Tavrela.rar") << "archive";
  test::WorkingFolder inside(site);
  const std::string line = archiverCommandLine(test::utf8Path(program_files), "Sys_Tavrela.exe");
  EXPECT_EQ(line, test::utf8Path(archiver) + " x -o+ Sys_Tavrela.rar *.exe \".\\\"");

  EXPECT_EQ(runProgram(line), 0);
  EXPECT_EQ(recorded(), line);
  // The stand-in takes its time: the file is there because the step waited.
  EXPECT_EQ(test::readFile(site / "Sys_Tavrela.exe"), "extracted from Sys_Tavrela.rar");
}

TEST_F(ArchiverOnWindows, AQuotedTargetFolderWithBlanksAndATrailingBackslashIsOneWord) {
  std::ofstream(site / "Sys_Tavrela.rar") << "archive";
  test::WorkingFolder inside(site);
  const std::string main_executable = test::utf8Path(site / "Sys_Tavrela.exe");
  const std::string line = archiverCommandLine(test::utf8Path(program_files), main_executable);
  EXPECT_EQ(line, test::utf8Path(archiver) + " x -o+ Sys_Tavrela.rar *.exe \"" +
                      test::utf8Path(site) + "\\\"");
  EXPECT_EQ(runProgram(line), 0);
  EXPECT_EQ(recorded(), line);
  EXPECT_TRUE(std::filesystem::exists(site / "Sys_Tavrela.exe"));
}

TEST_F(ArchiverOnWindows, ExitCodesAndProgramsThatCannotStart) {
  test::WorkingFolder inside(site);  // no archive here: the stand-in says so
  const std::string line = archiverCommandLine(test::utf8Path(program_files), "Sys_Tavrela.exe");
  EXPECT_EQ(runProgram(line), 3);
  EXPECT_EQ(runProgram("\"" + test::utf8Path(archiver) + "\" a b"), 2);
  EXPECT_EQ(recorded(), "\"" + test::utf8Path(archiver) + "\" a b");
  EXPECT_FALSE(std::filesystem::exists(site / "Sys_Tavrela.exe"));
  EXPECT_EQ(runProgram(test::utf8Path(machine.path() / "missing.exe")), -1);
  EXPECT_EQ(runProgram(""), -1);
}

}  // namespace
}  // namespace kelvo
