// The file update run against a real FTP server and a real catalogue,
// grouped by what can go wrong.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "archiver/archive_writer.h"
#include "platform/error.h"
#include "platform/files.h"
#include "platform/text_lines.h"
#include "support/services.h"
#include "update/deployment.h"
#include "update/file_names.h"
#include "update/file_run_fixture.h"
#include "update/site_update.h"

namespace kelvo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

const TDateTime kMinute = 1.0 / 1440;

std::string zipOf(const std::vector<ArchiveMember>& members) {
  TempFolder folder;
  writeArchive((folder.path() / "a.zip").string(), members);
  return readFile(folder.path() / "a.zip");
}

TEST_F(FileRunTest, NothingChangedFetchesNothingAndRunsTheScripts) {
  serve("Sys_Tavrela.exe", "exe", base_);
  serve("a.txt", "a", base_);
  fs::create_directory(served("Arquivos_dlls"));
  local("Sys_Tavrela.exe", "exe", base_ + 59.0 / 86400);
  local("a.txt", "a", base_);
  run();
  EXPECT_EQ(readFile(serviceFolder("update_ftp") + "/last-user"), std::string(kFtpUser) + "\n");
  EXPECT_EQ(view_.listing.size(), 3u);
  ASSERT_EQ(view_.rows.size(), 3u);
  for (const auto& row : view_.rows) EXPECT_THAT(row.lamps, ElementsAre(RowLamp::Current));
  EXPECT_THAT(view_.downloads, IsEmpty());
  EXPECT_EQ(view_.waitScreens, 1);
  EXPECT_EQ(view_.resets, 1);
  EXPECT_EQ(view_.statusLine, kStatusSuccess);
  EXPECT_EQ(view_.counter, "");
  EXPECT_EQ(view_.fileLabel, "");
  EXPECT_THAT(view_.messages, IsEmpty());
  EXPECT_FALSE(ftp_.Connected());
  EXPECT_FALSE(fs::exists(work_.path() / "Sys_Tavrela.old"));
}

TEST_F(FileRunTest, FilesAMinuteApartOrMissingAreFetchedStampedAndThenLeftAlone) {
  serve("older.txt", "new older", base_);
  serve("newer.txt", "new newer", base_);
  serve("missing.txt", "new missing", base_);
  serve("arquivos_dlls", "a file like any", base_);
  serve("Sys_Tavrela.rar", zipOf({{"Sys_Tavrela.exe", "fresh exe"}, {"LEIA.TXT", "no"}}), base_);
  local("older.txt", "old", base_ - kMinute);
  local("newer.txt", "old", base_ + kMinute);
  local("Sys_Tavrela.exe", "previous exe", base_);
  run();
  EXPECT_THAT(view_.downloads, ElementsAre("Sys_Tavrela.rar", "arquivos_dlls", "missing.txt",
                                           "newer.txt", "older.txt"));
  for (const std::string name : {"older", "newer", "missing"}) {
    EXPECT_EQ(localContent(name + ".txt"), "new " + name);
    EXPECT_THAT(view_.row(name + ".txt").lamps,
                ElementsAre(RowLamp::Failed, RowLamp::Downloading, RowLamp::Current));
    EXPECT_EQ(minuteText(*fileLastWriteTime(name + ".txt")), minuteText(base_)) << name;
  }
  // The archive step set the old executable aside and extracted a fresh one.
  EXPECT_EQ(localContent("Sys_Tavrela.exe"), "fresh exe");
  EXPECT_EQ(localContent("Sys_Tavrela.old"), "previous exe");
  EXPECT_FALSE(fs::exists(work_.path() / "LEIA.TXT"));
  EXPECT_EQ(view_.statusLine, kStatusSuccess);
  EXPECT_EQ(view_.sizes.back(), 9u);  // the size of older.txt, the last row

  run();
  EXPECT_THAT(view_.downloads, IsEmpty());
  EXPECT_EQ(view_.statusLine, kStatusSuccess);
}

// The screens' gauge needs every listed entry's size, the command line only
// the fetched files' (the others' come from the listing), and it sets the
// binary type only before its first download. Either way each fetched file
// costs SIZE, PASV and RETR and nothing more: no TYPE, no folder change.
TEST_F(FileRunTest, SizesAreAskedOfEveryEntryOrOnlyOfTheFetchedFiles) {
  serve("current.txt", "current", base_);
  serve("missing.txt", "missing!", base_);
  serve("older.txt", "new older", base_);
  const fs::path commands = fs::path(serviceFolder("update_ftp")) / "commands";
  for (const bool every_entry : {true, false}) {
    SCOPED_TRACE(every_entry ? "every entry" : "fetched files only");
    local("current.txt", "current", base_);
    local("older.txt", "old", base_ - kMinute);
    fs::remove(workPath("missing.txt"));
    fs::remove(commands);
    sizeEveryEntry_ = every_entry;
    run();
    ASSERT_EQ(view_.statusLine, kStatusSuccess);

    // From the folder change on (the log-in's exchange is the client's own).
    std::vector<std::string> expected = {"CWD quarvessa", "PASV", "LIST"};
    if (every_entry) expected = {"TYPE I", "CWD quarvessa", "TYPE A", "PASV", "LIST", "TYPE I"};
    bool binary = every_entry;
    for (std::size_t i = 0; i < view_.rows.size(); ++i) {
      const std::string name = UltimaPalavra(view_.listing[i]);
      const bool fetched = view_.rows[i].fetched();
      if (fetched && !binary) expected.push_back("TYPE I");
      binary = binary || fetched;
      if (fetched || every_entry) expected.push_back("SIZE " + name);
      if (fetched) expected.insert(expected.end(), {"PASV", "RETR " + name});
    }
    expected.push_back("QUIT");
    const std::string log = readFile(commands);
    std::vector<std::string> sent;
    for (const std::string_view line : splitLines(std::string_view(log))) {
      if (!sent.empty() || line == "SYST") sent.emplace_back(line);
    }
    ASSERT_GE(sent.size(), 2u);
    sent.erase(sent.begin(), sent.begin() + 2);  // SYST and the log-in's second TYPE A
    EXPECT_EQ(sent, expected);
    // The sizes told are the files' own, wherever they came from.
    EXPECT_THAT(view_.sizes, ElementsAre(7u, 8u, 9u));
    EXPECT_EQ(localContent("missing.txt"), "missing!");
    EXPECT_EQ(localContent("older.txt"), "new older");
  }
}

TEST_F(FileRunTest, AFailedDownloadKeepsTheOldCopyAndSkipsArchiveAndScripts) {
  serve("gone.txt", "new", base_);
  serve("ok.txt", "new ok", base_);
  serve("Sys_Tavrela.rar", zipOf({{"Sys_Tavrela.exe", "fresh"}}), base_);
  local("gone.txt", "old copy", base_ - kMinute);
  local("Sys_Tavrela.exe", "previous", base_ - kMinute);
  local("Sys_Tavrela.rar", "stale", base_ - kMinute);
  // The file vanishes from the server between the listing and its download.
  view_.onDownloading = [this](std::size_t) {
    if (view_.fileLabel == "gone.txt") fs::remove(served("gone.txt"));
  };
  run();
  EXPECT_THAT(view_.row("gone.txt").lamps,
              ElementsAre(RowLamp::Failed, RowLamp::Downloading, RowLamp::Failed));
  ASSERT_EQ(view_.informations.size(), 1u);
  EXPECT_THAT(view_.informations[0], HasSubstr("No such file"));
  EXPECT_EQ(localContent("gone.txt"), "old copy");
  EXPECT_EQ(localContent("ok.txt"), "new ok");  // the rows after it still ran
  EXPECT_EQ(localContent("Sys_Tavrela.exe"), "previous");
  EXPECT_EQ(view_.waitScreens, 0);
  EXPECT_EQ(view_.statusLine, kStatusRetry);
}

TEST_F(FileRunTest, TheArchiveStepExtractsAndChecksTheMainExecutable) {
  // Present archive, missing main executable, nothing to fetch: extracted.
  serve("Sys_Tavrela.rar", zipOf({{"Sys_Tavrela.exe", "fresh"}}), base_);
  local("Sys_Tavrela.rar", zipOf({{"Sys_Tavrela.exe", "fresh"}}), base_);
  run();
  EXPECT_THAT(view_.downloads, IsEmpty());
  EXPECT_EQ(localContent("Sys_Tavrela.exe"), "fresh");
  EXPECT_EQ(view_.statusLine, kStatusSuccess);

  // An archive without the main executable: the loss is reported, not
  // called a success, and the previous executable stays in the old file.
  serve("Sys_Tavrela.rar", zipOf({{"LEIA.TXT", "no exe"}}), base_ + kMinute);
  run();
  EXPECT_THAT(view_.downloads, ElementsAre("Sys_Tavrela.rar"));
  EXPECT_FALSE(fs::exists(work_.path() / "Sys_Tavrela.exe"));
  EXPECT_EQ(localContent("Sys_Tavrela.old"), "fresh");
  ASSERT_EQ(view_.messages.size(), 1u);
  EXPECT_THAT(view_.messages[0], StartsWith("Não foi possível extrair o arquivo Sys_Tavrela.exe"));
  EXPECT_EQ(view_.waitScreens, 0);
  EXPECT_EQ(view_.statusLine, kStatusRetry);
}

TEST_F(FileRunTest, AMainExecutableThatCannotBeDeletedLosesTheArchive) {
  // A file of a read-only file system stands for an executable in use.
  site_.mainExecutable = "/proc/version";
  serve("Sys_Tavrela.rar", zipOf({{"Sys_Tavrela.exe", "fresh"}}), base_);
  run();
  EXPECT_EQ(pauses_, 5);
  EXPECT_THAT(view_.messages, ElementsAre("Não foi possível apagar arquivo /proc/version."));
  EXPECT_FALSE(fs::exists(work_.path() / "Sys_Tavrela.rar"));
  EXPECT_EQ(view_.waitScreens, 0);
  EXPECT_EQ(view_.statusLine, kStatusRetry);
}

TEST_F(FileRunTest, TheSettingsFileSetsModePasswordAndPort) {
  serve("a.txt", "a", base_);
  // Active mode, and the password of the second column.
  catalog_.execute("UPDATE principal SET senha_ftp2 = senha_ftp, senha_ftp = 'x'");
  configure({"false", "2"});
  run();
  EXPECT_EQ(view_.statusLine, kStatusSuccess);
  EXPECT_EQ(localContent("a.txt"), "a");
  EXPECT_FALSE(ftp_.passive());

  // An empty port stops the run before it connects.
  configure({}, " ");
  view_.statusLine = "before";
  EXPECT_THROW(run(), Error);
  EXPECT_EQ(view_.statusLine, " ");
  EXPECT_FALSE(ftp_.Connected());

  // Nothing listens on port 1: the update ends there, and the process with
  // code 2.
  configure({}, "1");
  const UpdateResult result = run();
  EXPECT_TRUE(result.files.connectFailure);
  EXPECT_FALSE(result.status);
  EXPECT_THAT(view_.messages, ElementsAre(StartsWith("Não foi possível estabelecer conexão ftp."
                                                     "\n\nTENTE MAIS TARDE.\nSocket Error # ")));
  EXPECT_EQ(view_.statusLine, " ");
  EXPECT_EQ(view_.waitScreens, 0);
}

TEST_F(FileRunTest, LeavingDuringATransferStopsTheRunWithoutAPartialFile) {
  serve("big.bin", std::string(4 << 20, 'b'), base_);
  serve("later.txt", "later", base_);
  // "&Sair" pressed while the data arrives disconnects the client.
  view_.onWork = [this] {
    if (view_.fileLabel == "big.bin") ftp_.Disconnect();
  };
  run();
  EXPECT_THAT(view_.downloads, ElementsAre("big.bin"));
  EXPECT_EQ(view_.row("big.bin").lamps.back(), RowLamp::Failed);
  EXPECT_EQ(view_.informations.size(), 1u);
  EXPECT_FALSE(fs::exists(work_.path() / "big.bin"));
  EXPECT_FALSE(fs::exists(work_.path() / "later.txt"));
  EXPECT_EQ(view_.waitScreens, 0);
  EXPECT_EQ(view_.statusLine, kStatusRetry);
}

TEST_F(FileRunTest, AScriptFailureAsksForSupport) {
  serve("a.txt", "a", base_);
  local("a.txt", "a", base_);
  tickClientDatabase();
  catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE T1 (A INTEGER);\r\n");
  catalog_.addScript("QUARVESSA", "0002", "THIS IS NOT SQL;\r\n");
  const UpdateResult result = run();
  EXPECT_EQ(view_.waitScreens, 1);
  EXPECT_EQ(view_.statusLine, kStatusSupport);
  EXPECT_EQ(result.status, FinalStatus::Support);
  ASSERT_TRUE(result.scripts);
  const DatabaseResult* failed = result.scripts->firstFailure();
  ASSERT_NE(failed, nullptr);
  EXPECT_EQ(failed->alias, "LOJA");
  EXPECT_THAT(failed->applied, ElementsAre("0001", "0002"));
  EXPECT_EQ(failed->failure->version, "0002");
  EXPECT_EQ(failed->recordedVersion, "0002");
  EXPECT_TRUE(fs::exists(work_.path() / failed->failure->recordName));
  ASSERT_EQ(view_.waitScreen.errors.size(), 1u);
  EXPECT_EQ(view_.waitScreen.errors[0], "SCRIPT EM EXECUÇÃO SALVO: " + failed->failure->recordName);
}

TEST_F(FileRunTest, UnsafeServerNamesAreRefusedAndNeverWritten) {
  serve("..\\evil.txt", "evil", base_);
  serve("bad\x01name", "evil", base_);
  serve("good.txt", "good", base_);
  run();
  EXPECT_THAT(view_.downloads, ElementsAre("good.txt"));
  EXPECT_THAT(view_.row("..\\evil.txt").lamps, ElementsAre(RowLamp::Failed, RowLamp::Failed));
  ASSERT_EQ(view_.informations.size(), 2u);
  EXPECT_THAT(view_.informations[0], HasSubstr("\"..\\evil.txt\""));
  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(work_.path())) {
    written.insert(entry.path().filename().string());
  }
  EXPECT_EQ(written, (std::set<std::string>{"atualiza.cfg", "good.txt"}));
  EXPECT_FALSE(fs::exists(work_.path().parent_path() / "evil.txt"));
  EXPECT_EQ(view_.statusLine, kStatusRetry);
}

TEST_F(FileRunTest, NamesWithBlanksAndListingsWithExtraLinesPairEachLineWithItsEntry) {
  serve("a file.txt", "blank inside", base_);
  serve("b.txt", "b", base_);
  serve("c.txt", "c", base_);
  local("b.txt", "b", base_);
  std::ofstream(serviceFolder("update_ftp") + "/odd-listing") << "yes";
  run();
  // "total", then the first entry, a blank line, the others.
  ASSERT_EQ(view_.rows.size(), 5u);
  EXPECT_THAT(view_.rows[0].text, StartsWith("total"));
  EXPECT_EQ(view_.rows[2].text, "");
  EXPECT_THAT(view_.rows[0].lamps, ElementsAre(RowLamp::Current));
  EXPECT_THAT(view_.rows[2].lamps, ElementsAre(RowLamp::Current));
  EXPECT_THAT(view_.downloads, ElementsAre("a file.txt", "c.txt"));
  EXPECT_EQ(localContent("a file.txt"), "blank inside");
  EXPECT_EQ(localContent("c.txt"), "c");
  EXPECT_EQ(view_.statusLine, kStatusSuccess);
}

}  // namespace
}  // namespace kelvo::test
