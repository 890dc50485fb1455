// kelvoupdate run as a process facing an FTP server that stops answering:
// a scheduler's SIGTERM ends it within seconds, a read limit from the site
// settings fails the download, and a faulty settings file stops it before
// anything changes. In every case the old copy stays and no temporary
// download is left.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "access/ftp/ftp_download_file.h"
#include "cli/cli_site.h"
#include "platform/files.h"
#include "support/services.h"
#include "update/site_update.h"

namespace kelvo::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string hostilePort() { return serviceValue("hostileftp", "port"); }

class StopAndStallTest : public CliSiteTest {
 protected:
  // The site's FTP server is the hostile one, whose misbehaviour MODE the
  // catalogue's FTP password picks; its one file hello.txt is newer than
  // the local copy, so the run fetches it.
  void serveFrom(const std::string& mode) {
    configure({}, hostilePort());
    storeFtpPassword(mode);
    local("hello.txt", "old copy", base_);
    catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE ITENS (ID INTEGER);\r\n");
  }

  // Runs the update as a scheduler stops it: SIGTERM after SECONDS. It must
  // end within a few seconds more, interrupted, with no failure record.
  ProgramResult terminatedAfter(int seconds) {
    const Clock::time_point start = Clock::now();
    const ProgramResult run =
        kelvoupdate("run --confirmo-aplicativos-fechados",
                    "timeout --preserve-status -s TERM " + std::to_string(seconds));
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::cout << "SIGTERM to end: " << took - seconds << " s\n";
    EXPECT_EQ(run.code, 130) << run.err;
    EXPECT_LT(took, seconds + 5);
    EXPECT_EQ(run.out, std::string(kStatusInterrupted) + "\n");
    for (const auto& entry : fs::directory_iterator(workPath(""))) {
      EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr("SCRIPT_ERRO")));
    }
    return run;
  }
};

TEST_F(StopAndStallTest, AStalledDownloadEndsWithEveryFileAsItWas) {
  serveFrom("stalldata");
  const std::string database_before = databaseSnapshot();
  const struct {
    const char* settings;  // kelvoupdate.ini
    int sigtermAfter;      // seconds; 0 for none
    int code;
    std::vector<std::string> said;  // in standard error; none: no failed download either
  } cases[] = {
      // The default two-minute read limit still far away.
      {"", 3, 130, {}},
      {"[ftp]\r\nread_timeout = 1\r\n",
       0,
       1,
       {"O servidor FTP 127.0.0.1:" + hostilePort() + " não respondeu em 1 s.",
        "Falha ao baixar hello.txt."}},
      // Stopped before anything changes: even a killed run's download stays.
      {"[ftp]\nread_timeout = 2m\n",
       0,
       5,
       {(machine_.path() / "kelvoupdate.ini").string() +
        ":2: 'read_timeout' must be a whole number of seconds from 1 to 86400, not '2m'"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings);
    machine_.write("kelvoupdate.ini", c.settings);
    // What a killed run leaves: the temporary download of a file this run
    // does not fetch again, beside a file of a similar name that is not one.
    local(".kelvo-notas.part", "not a download", base_);
    const std::string cleaned = folderSnapshot();
    local(fs::path(ftpTemporaryPath("antigo.exe")).filename().string(), "half", base_);
    const std::string left = folderSnapshot();

    const ProgramResult run = c.sigtermAfter > 0
                                  ? terminatedAfter(c.sigtermAfter)
                                  : kelvoupdate("run --confirmo-aplicativos-fechados");
    EXPECT_EQ(run.code, c.code) << run.err;
    if (c.code == 1) {
      EXPECT_EQ(run.out, std::string(kStatusRetry) + "\n");
    }
    if (c.said.empty()) {
      EXPECT_THAT(run.err, Not(HasSubstr("Falha ao baixar")));
    }
    for (const std::string& text : c.said) EXPECT_THAT(run.err, HasSubstr(text));
    EXPECT_EQ(folderSnapshot(), c.code == 5 ? left : cleaned);
    EXPECT_EQ(databaseSnapshot(), database_before);
  }
}

TEST_F(StopAndStallTest, SigtermMidScriptRollsItBackAndRecordsNoVersion) {
  // Nothing to fetch; a script that makes a table, then one long enough
  // (some seconds) to be cut off: a hundred statements of some hundredths
  // of a second each, every one inserting one row.
  catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE MARCAS (N INTEGER);\r\n");
  std::string script = "SET TERM ^ ;\r\n";
  for (int i = 0; i < 100; ++i) {
    script +=
        "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < 1000000) DO I = I + 1; "
        "INSERT INTO MARCAS (N) VALUES (" +
        std::to_string(i) + "); END^\r\n";
  }
  script += "SET TERM ; ^\r\n";
  catalog_.addScript("QUARVESSA", "0002", script);

  const ProgramResult run = terminatedAfter(2);
  EXPECT_THAT(run.err, Not(HasSubstr("ERRO DE SCRIPT")));
  // Whatever the cut-off script had inserted is gone, and it is still
  // pending (on a machine slow enough, the stop may even come before it).
  const std::string database = databaseSnapshot();
  EXPECT_EQ(database.find("MARCAS:0|"), std::string::npos) << "rows of the cut-off script remain";
  EXPECT_EQ(database.find("0002"), std::string::npos) << "its version was recorded";
  // A run left alone then applies it whole.
  const ProgramResult again = kelvoupdate("run --confirmo-aplicativos-fechados");
  EXPECT_EQ(again.code, 0) << again.err;
  EXPECT_NE(databaseSnapshot().find("98|;99|;\nVERSAO:0002|;\n"), std::string::npos);
}

}  // namespace
}  // namespace kelvo::test
