// Client behaviour that needs no FTP server: the download file's
// all-or-nothing replacement, network failure texts, and command checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_control.h"
#include "access/ftp/ftp_download_file.h"
#include "access/ftp/ftp_transport.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::entriesIn;

TEST(FtpDownloadFile, ReplacesTheDestinationOnlyOnCommit) {
  test::TempFolder folder;
  const fs::path destination = folder.write("prog.exe", "old");
  fs::permissions(destination, fs::perms::owner_all);
  std::string temporary;
  {
    FtpDownloadFile file(destination.string());
    temporary = file.temporaryPath();
    EXPECT_EQ(fs::path(temporary).parent_path(), folder.path());
    file.write("new ", 4);
    file.write("data", 4);
    EXPECT_EQ(test::readFile(destination), "old");
    file.commit();
  }
  EXPECT_EQ(test::readFile(destination), "new data");
  EXPECT_FALSE(fs::exists(temporary));
#ifndef _WIN32  // Windows keeps no permission bits beyond read-only
  EXPECT_EQ(fs::status(destination).permissions() & fs::perms::all, fs::perms::owner_all);
#endif
}

TEST(FtpDownloadFile, AbandonedDownloadLeavesTheDestinationAndNoTemporaryFile) {
  test::TempFolder folder;
  const fs::path destination = folder.write("data.txt", "previous");
  {
    FtpDownloadFile file(destination.string());
    file.write("partial", 7);
  }
  EXPECT_EQ(test::readFile(destination), "previous");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FtpDownloadFile, DestinationNameOfTheLongestLengthCanBeDownloaded) {
  test::TempFolder folder;
  for (const std::size_t length : {237u, 255u}) {
    const fs::path destination = folder.path() / std::string(length, 'n');
    FtpDownloadFile file(destination.string());
    EXPECT_LE(fs::path(file.temporaryPath()).filename().string().size(), 32u);
    file.write("data", 4);
    file.commit();
    EXPECT_EQ(test::readFile(destination), "data");
  }
}

TEST(FtpDownloadFile, TemporaryFileOfAKilledRunIsRemovedByTheNextDownload) {
#ifdef _WIN32
  GTEST_SKIP() << "the dying child runs the whole test again in a new process on Windows, with "
                  "a scratch folder of its own";
#endif
  test::TempFolder folder;
  const fs::path destination = folder.write("prog.exe", "old");
  // A child process downloads part of the file and dies without cleaning up.
  EXPECT_EXIT(
      {
        FtpDownloadFile file(destination.string());
        file.write("partial", 7);
        std::_Exit(3);
      },
      testing::ExitedWithCode(3), "");
  ASSERT_EQ(entriesIn(folder.path()), 2u);
  {
    FtpDownloadFile file(destination.string());
    file.write("new", 3);
  }
  EXPECT_EQ(entriesIn(folder.path()), 1u);
  EXPECT_EQ(test::readFile(destination), "old");
}

TEST(FtpDownloadFile, DestinationThatCannotBeCreatedRaisesWithPathAndReason) {
  test::TempFolder folder;
  const std::string missing = (folder.path() / "no-such-folder" / "a.txt").string();
  try {
    FtpDownloadFile file(missing);
    FAIL() << "created";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot create file \"" + missing + "\". No such file or directory");
  }
  fs::create_directory(folder.path() / "taken");
  EXPECT_THROW(FtpDownloadFile((folder.path() / "taken").string()), Error);
}

TEST(FtpClientWithoutServer, RefusedConnectionRaisesSocketErrorAfterConnectingStatusOnly) {
  // A port that was free a moment ago: nothing listens there.
  std::uint16_t port = 0;
  {
    FtpListener probe;
    probe.open("127.0.0.1");
    port = probe.port();
  }

  FtpClient client;
  std::vector<int> statuses;
  client.OnStatus = [&](FtpClient&, TFtpStatus s, const std::string&) { statuses.push_back(s); };
  client.setHost("127.0.0.1");
  client.setPort(port);
  try {
    client.Connect();
    FAIL() << "connected";
  } catch (const FtpSocketError& e) {
    EXPECT_STREQ(e.what(), "Socket Error # 10061\nConnection refused.");
  }
  EXPECT_EQ(statuses, std::vector<int>{hsConnecting});
  EXPECT_FALSE(client.Connected());
}

TEST(FtpClientWithoutServer, UnknownHostNameRaisesHostNotFound) {
  FtpClient client;
  std::vector<std::string> texts;
  client.OnStatus = [&](FtpClient&, TFtpStatus, const std::string& t) { texts.push_back(t); };
  client.setHost("no-such-host.invalid");
  try {
    client.Connect();
    FAIL() << "connected";
  } catch (const FtpSocketError& e) {
    EXPECT_STREQ(e.what(), "Socket Error # 11001\nHost not found.");
  }
  EXPECT_EQ(texts, std::vector<std::string>{"Resolving hostname no-such-host.invalid."});
}

TEST(FtpClientWithoutServer, ActiveModeAcceptGivesUpAfterItsTimeLimit) {
  FtpListener listener;
  listener.open("127.0.0.1");
  FtpTcpStream stream;
  try {
    listener.accept(stream, 50, "127.0.0.1");
    FAIL() << "accepted";
  } catch (const FtpSocketError& e) {
    EXPECT_STREQ(e.what(), "Accept timed out.");
  }
}

TEST(FtpClientWithoutServer, FtpsThatCannotBeHadIsRefusedBeforeConnecting) {
  // Port 1 refuses any connection: a refusal for TLS's sake comes first.
  const char* no_openssl =
      "Esta versão do KelvoUpdate não pode usar FTPS: foi compilada sem OpenSSL.";
  const struct {
    std::string ca_file;
    const char* error;
  } cases[] = {
      {"", ftpTlsBuilt() ? "FTPS exige o arquivo de CA do servidor FTP: ca_file em [ftp] do "
                           "kelvoupdate.ini."
                         : no_openssl},
      {"/etc/kelvoupdate/ca.pem",
       ftpTlsBuilt() ? "Socket Error # 10061\nConnection refused." : no_openssl},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ca_file);
    FtpClient client;
    client.setHost("127.0.0.1");
    client.setPort(1);
    client.setTls({true, c.ca_file});
    try {
      client.Connect();
      ADD_FAILURE() << "connected";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), c.error);
    }
  }
}

TEST(FtpControlLine, CommandsWithLineBreaksAreNeverSent) {
  FtpControl control;
  EXPECT_THROW(control.send("RETR a\r\nDELE b"), Error);
  EXPECT_THROW(control.send("CWD x\ny"), Error);
}

TEST(FtpControlLine, EightBitEncodingMapsEachByteToTheCharacterOfThatCode) {
  FtpControl control;
  EXPECT_EQ(control.decode("a\xE7\xE3o"), "a\xC3\xA7\xC3\xA3o");
  EXPECT_EQ(control.encode("a\xC3\xA7\xC3\xA3o"), "a\xE7\xE3o");
  EXPECT_EQ(control.encode("\xE2\x82\xAC"), "?");  // beyond one byte
  control.setUtf8(true);
  EXPECT_EQ(control.decode("a\xC3\xA7"), "a\xC3\xA7");
  EXPECT_EQ(control.encode("a\xC3\xA7"), "a\xC3\xA7");
}

}  // namespace
}  // namespace kelvo
