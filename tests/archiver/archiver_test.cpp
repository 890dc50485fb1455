// The archiver stand-in: its command line, the mask, overwriting, members
// that would leave the target, and archives it cannot read, through the
// library and through the installed program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "archiver/archive_extract.h"
#include "archiver/archive_writer.h"
#include "archiver/archiver_command.h"
#include "platform/error.h"
#include "platform/link_free_folder.h"
#include "support/temp_folder.h"

namespace kelvo::archiver {
namespace {

namespace fs = std::filesystem;
using test::ArchiveMember;

TEST(ArchiverCommand, ReadsTheRunsCommandLine) {
  const ExtractRequest r = parseCommand({"x", "-o+", "Sys_Tavrela.rar", "*.exe", ".\\"});
  EXPECT_EQ(r.archive, "Sys_Tavrela.rar");
  EXPECT_EQ(r.mask, "*.exe");
  EXPECT_EQ(r.target, "./");
  EXPECT_EQ(parseCommand({"x", "-o+", "a.rar"}).target, ".");
  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{},
                                             {"e", "-o+", "a.rar"},
                                             {"x", "a.rar"},
                                             {"x", "-o-", "a.rar"},
                                             {"x", "-o+"},
                                             {"x", "-o+", "a", "b", "c", "d"}}) {
    EXPECT_THROW(parseCommand(bad), Error);
  }
}

TEST(ArchiverPaths, KeepsMembersInsideTheTarget) {
  EXPECT_EQ(safeMemberPath("bin/./a.exe"), (std::vector<std::string>{"bin", "a.exe"}));
  EXPECT_EQ(safeMemberPath("bin\\a.exe"), (std::vector<std::string>{"bin", "a.exe"}));
  for (const char* bad : {"", "/etc/x", "\\x", "C:x.exe", "../x.exe", "a/../../x", "a\\..\\x"}) {
    EXPECT_TRUE(safeMemberPath(bad).empty()) << bad;
  }
}

class ArchiverExtract : public ::testing::Test {
 protected:
  std::string archive(const std::vector<ArchiveMember>& members,
                      const std::string& format = "zip") {
    const std::string path = (folder_.path() / ("a." + format)).string();
    test::writeArchive(path, members, format);
    return path;
  }
  ExtractRequest request(const std::string& path, const std::string& mask = "*.exe") {
    return ExtractRequest{path, mask, (folder_.path() / "out").string()};
  }
  std::string out(const std::string& name) { return test::readFile(folder_.path() / "out" / name); }

  test::TempFolder folder_;
};

TEST_F(ArchiverExtract, ExtractsMatchingMembersWithTheirFoldersAndOverwrites) {
  for (const std::string format : {"zip", "7zip", "pax"}) {
    const std::string path = archive(
        {{"Sys_Tavrela.exe", "new " + format}, {"LEIA.TXT", "text"}, {"tools/UP.EXE", "up"}},
        format);
    fs::create_directories(folder_.path() / "out");
    folder_.write("out/Sys_Tavrela.exe", "old");
    EXPECT_EQ(extractMatching(request(path)).size(), 2u) << format;
    EXPECT_EQ(out("Sys_Tavrela.exe"), "new " + format);
    EXPECT_EQ(out("tools/UP.EXE"), "up");  // the mask ignores letter case
    EXPECT_FALSE(fs::exists(folder_.path() / "out" / "LEIA.TXT"));
    fs::remove_all(folder_.path() / "out");
  }
}

TEST_F(ArchiverExtract, RefusesTheWholeArchiveWhenAMemberWouldEscape) {
  for (const std::vector<ArchiveMember>& members : std::vector<std::vector<ArchiveMember>>{
           {{"ok.exe", "ok"}, {"../evil.exe", "evil"}},
           {{"ok.exe", "ok"}, {"link.exe", "/etc/passwd", true}}}) {
    EXPECT_THROW(extractMatching(request(archive(members))), Error);
    EXPECT_FALSE(fs::exists(folder_.path() / "out" / "ok.exe"));
    EXPECT_FALSE(fs::exists(folder_.path() / "evil.exe"));
  }
  // A bad member the mask leaves out does not matter.
  EXPECT_EQ(extractMatching(request(archive({{"ok.exe", "ok"}, {"../x.txt", "x"}}))).size(), 1u);
}

TEST_F(ArchiverExtract, NeverWritesThroughALinkBelowTheTarget) {
  const fs::path out = folder_.path() / "out";
  const fs::path elsewhere = folder_.path() / "elsewhere";
  fs::create_directories(out);
  fs::create_directories(elsewhere);
  folder_.write("elsewhere/y.exe", "theirs");
  fs::create_directory_symlink(elsewhere, out / "sub");
  fs::create_symlink(elsewhere / "y.exe", out / "y.exe");
  // A link among a member's folders refuses the whole archive, naming it.
  try {
    extractMatching(request(archive({{"ok.exe", "ok"}, {"sub/x.exe", "x"}})));
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_NE(std::string(error.what()).find("through the link " + (out / "sub").string()),
              std::string::npos)
        << error.what();
  }
  EXPECT_FALSE(fs::exists(out / "ok.exe"));
  // The writing refuses it too, should the link appear after the check.
  EXPECT_THROW(LinkFreeFolder(out.string()).open("sub", true), Error);
  // A link in a member's place is replaced by the member; what it named stays.
  extractMatching(request(archive({{"y.exe", "ours"}})));
  EXPECT_FALSE(fs::is_symlink(out / "y.exe"));
  EXPECT_EQ(this->out("y.exe"), "ours");
  EXPECT_EQ(test::readFile(elsewhere / "y.exe"), "theirs");
  EXPECT_FALSE(fs::exists(elsewhere / "x.exe"));
}

TEST_F(ArchiverExtract, UnreadableArchivesAndMissingMembersAreErrors) {
  folder_.write("junk.rar", std::string(4096, 'j'));
  EXPECT_THROW(extractMatching(request((folder_.path() / "junk.rar").string())), Error);
  EXPECT_THROW(extractMatching(request((folder_.path() / "none.rar").string())), Error);
  EXPECT_THROW(extractMatching(request(archive({{"LEIA.TXT", "t"}}))), Error);
}

TEST_F(ArchiverExtract, TheInstalledProgramAnswersToBothNamesWithExitCodes) {
  const std::string install = std::string(std::getenv("KELVO_SOURCE_DIR")) +
                              "/scripts/install-archiver " + folder_.path().string() + " " +
                              std::getenv("KELVO_BINARY_DIR");
  ASSERT_EQ(std::system(install.c_str()), 0);
  const std::string path = archive({{"Sys_Tavrela.exe", "fresh"}});
  const auto run = [&](const std::string& program, const std::string& args) {
    const std::string line = "cd " + folder_.path().string() + " && " +
                             (folder_.path() / "winrar" / program).string() + " " + args +
                             " >/dev/null 2>&1";
    return WEXITSTATUS(std::system(line.c_str()));
  };
  fs::rename(path, folder_.path() / "Sys_Tavrela.rar");
  EXPECT_EQ(run("WinRAR.exe", "x -o+ Sys_Tavrela.rar *.exe \"./\""), 0);
  EXPECT_EQ(test::readFile(folder_.path() / "Sys_Tavrela.exe"), "fresh");
  EXPECT_EQ(run("winrar.exe", "x -o+ Sys_Tavrela.rar *.dll \"./\""), 1);
  EXPECT_EQ(run("winrar.exe", "x Sys_Tavrela.rar"), 2);
}

}  // namespace
}  // namespace kelvo::archiver
