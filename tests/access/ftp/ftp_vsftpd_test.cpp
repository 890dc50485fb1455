// The FTP client against a real vsftpd: log-in, listing, sizes and
// downloads in passive and active mode, refusals, and a 1 GiB file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_reply.h"
#include "access/ftp/ftp_transport.h"
#include "ftp_recorder.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

fs::path served(const std::string& name) {
  return fs::path(test::serviceValue("vsftpd", "root")) / name;
}

void setUp(FtpClient& client, bool passive, const std::string& host = "127.0.0.1") {
  client.setHost(host);
  client.setPort(static_cast<std::uint16_t>(std::stoi(test::serviceValue("vsftpd", "port"))));
  client.setUsername("anonymous");
  client.setPassword("kelvo@example.com");
  client.setPassive(passive);
}

// Connects, switches to binary and enters the update folder, as the run does.
void enterFolder(FtpClient& client, bool passive) {
  setUp(client, passive);
  client.Connect();
  client.setTransferType(FtpTransferType::Binary);
  client.ChangeDir("quarvessa");
}

TEST(FtpVsftpd, ConnectAndDisconnectReportEveryState) {
  FtpClient client;
  test::FtpRecorder events(client);
  setUp(client, true, "localhost");
  client.Connect();
  EXPECT_EQ(events.statuses, (std::vector<int>{hsResolving, hsConnecting, hsConnected, ftpReady}));
  EXPECT_EQ(events.texts,
            (std::vector<std::string>{"Resolving hostname localhost.", "Connecting to 127.0.0.1.",
                                      "Connected.", "Connection established"}));
  EXPECT_TRUE(client.Connected());
  EXPECT_EQ(client.systemDescription(), "UNIX Type: L8");
  EXPECT_TRUE(ftpOffers(client.features(), "SIZE"));
  EXPECT_EQ(client.transferType(), FtpTransferType::Ascii);

  events.clear();
  client.Disconnect();
  EXPECT_EQ(events.texts, (std::vector<std::string>{"Disconnecting.", "Disconnected."}));
  EXPECT_FALSE(client.Connected());
}

TEST(FtpVsftpd, RefusedLoginRaisesTheServerTextAndClosesTheConnection) {
  FtpClient client;
  test::FtpRecorder events(client);
  setUp(client, true);
  client.setUsername("somebody");
  try {
    client.Connect();
    FAIL() << "logged in";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 530);
    EXPECT_STREQ(e.what(), "This FTP server is anonymous only.\n");
  }
  EXPECT_EQ(events.statuses,
            (std::vector<int>{hsConnecting, hsConnected, hsDisconnecting, hsDisconnected}));
  EXPECT_FALSE(client.Connected());
}

class FtpVsftpdMode : public testing::TestWithParam<bool> {};

TEST_P(FtpVsftpdMode, ListGivesRawLinesAndTheirParsedItems) {
  FtpClient client;
  test::FtpRecorder events(client);
  enterFolder(client, GetParam());
  std::vector<std::string> lines{"stale"};
  events.clear();
  client.List(lines);
  EXPECT_EQ(events.texts, (std::vector<std::string>{"Starting FTP transfer", "Transfer complete"}));
  EXPECT_EQ(events.begins, 1);
  EXPECT_EQ(events.ends, 1);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines, client.rawListing());
  const DirectoryListing& listing = client.DirectoryListing();
  ASSERT_EQ(listing.count(), 4u);
  const std::vector<std::string> names{"hello.txt", "link.txt", "random.bin", "sub"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(listing[i].fileName, names[i]);
    EXPECT_EQ(listing[i].lineIndex, i);
    EXPECT_TRUE(lines[i].ends_with(names[i]) || lines[i].ends_with("-> hello.txt")) << lines[i];
  }
  EXPECT_EQ(listing[1].kind, ListingItemKind::Link);
  EXPECT_EQ(listing[3].kind, ListingItemKind::Directory);
  EXPECT_DOUBLE_EQ(listing[2].modifiedDate, encodeDate(2019, 12, 5));
  EXPECT_EQ(listing[2].size, 100000);
  // The listing switched to ASCII and back: a download still comes in binary.
  EXPECT_EQ(client.transferType(), FtpTransferType::Binary);
  EXPECT_EQ(client.Size("random.bin"), 100000);
  client.Disconnect();
}

TEST_P(FtpVsftpdMode, GetWritesTheFileInReadStepsWithProgress) {
  FtpClient client;
  test::FtpRecorder events(client);
  enterFolder(client, GetParam());
  test::TempFolder folder;
  const fs::path destination = folder.write("random.bin", "old content");
  events.clear();
  client.Get("random.bin", destination.string());
  EXPECT_EQ(test::readFile(destination), test::readFile(served("quarvessa/random.bin")));
  EXPECT_EQ(events.texts, (std::vector<std::string>{"Starting FTP transfer", "Transfer complete"}));
  ASSERT_FALSE(events.work.empty());
  EXPECT_EQ(events.work.back(), 100000);
  for (std::size_t i = 0; i < events.work.size(); ++i) {
    const std::int64_t previous = i == 0 ? 0 : events.work[i - 1];
    EXPECT_GT(events.work[i], previous);
    EXPECT_LE(events.work[i] - previous, 32768);
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
  client.Disconnect();
}

INSTANTIATE_TEST_SUITE_P(Modes, FtpVsftpdMode, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? "Passive" : "Active";
                         });

TEST(FtpVsftpd, RefusedDownloadRaisesAndKeepsThePreviousFile) {
  FtpClient client;
  enterFolder(client, true);
  test::TempFolder folder;
  const fs::path destination = folder.write("missing.txt", "keep me");
  try {
    client.Get("missing.txt", destination.string());
    FAIL() << "downloaded";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 550);
    EXPECT_STREQ(e.what(), "Failed to open file.\n");
  }
  EXPECT_EQ(test::readFile(destination), "keep me");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
  // The session goes on in step with the server.
  EXPECT_EQ(client.Size("hello.txt"), 18);
  client.Disconnect();
}

TEST(FtpVsftpd, TransferStoppedByAHandlerKeepsThePreviousFileAndTheSessionInStep) {
  FtpClient client;
  enterFolder(client, true);
  struct Stop {};
  int ends = 0;
  client.OnWork = [](FtpClient&, TWorkMode, std::int64_t) { throw Stop(); };
  client.OnWorkEnd = [&](FtpClient&, TWorkMode) { ++ends; };
  test::TempFolder folder;
  const fs::path destination = folder.write("random.bin", "keep me");
  EXPECT_THROW(client.Get("random.bin", destination.string()), Stop);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(test::readFile(destination), "keep me");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
  client.OnWork = nullptr;
  EXPECT_EQ(client.Size("hello.txt"), 18);
  client.Get("hello.txt", (folder.path() / "hello.txt").string());
  EXPECT_EQ(test::readFile(folder.path() / "hello.txt"), "hello from vsftpd\n");
  client.Disconnect();
}

TEST(FtpVsftpd, DisconnectFromAWorkHandlerStopsTheTransferAtOnce) {
  // The operator's "leave" button runs inside the progress handler.
  FtpClient client;
  enterFolder(client, true);
  client.setTransferType(FtpTransferType::Binary);
  std::int64_t moved = 0;
  client.OnWork = [&](FtpClient& sender, TWorkMode, std::int64_t count) {
    moved = count;
    if (sender.Connected()) sender.Disconnect();
  };
  test::TempFolder folder;
  const fs::path destination = folder.write("big.bin", "keep me");
  try {
    client.Get("../big.bin", destination.string());
    FAIL() << "downloaded";
  } catch (const FtpSocketError& e) {
    EXPECT_STREQ(e.what(), "Connection Closed Gracefully.");
  }
  EXPECT_LE(moved, 32768);
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(test::readFile(destination), "keep me");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(FtpVsftpd, SizeOfMissingFileAndRefusedFolderChange) {
  FtpClient client;
  setUp(client, true);
  client.Connect();
  // Still ASCII: SIZE switches to binary for the question and back.
  EXPECT_EQ(client.Size("quarvessa/hello.txt"), 18);
  EXPECT_EQ(client.Size("quarvessa/none.txt"), -1);
  EXPECT_EQ(client.transferType(), FtpTransferType::Ascii);
  try {
    client.ChangeDir("nowhere");
    FAIL() << "changed";
  } catch (const FtpReplyError& e) {
    EXPECT_STREQ(e.what(), "Failed to change directory.\n");
  }
  EXPECT_TRUE(client.Connected());
  client.Disconnect();
}

TEST(FtpVsftpd, OneGibibyteDownloadArrivesWhole) {
  FtpClient client;
  test::FtpRecorder events(client);
  setUp(client, true);
  client.Connect();
  client.setTransferType(FtpTransferType::Binary);
  test::TempFolder folder;
  const fs::path destination = folder.path() / "big.bin";
  client.Get("big.bin", destination.string());
  EXPECT_EQ(fs::file_size(destination), 1073741824u);
  EXPECT_EQ(events.work.back(), 1073741824);
  // The source is sparse: every byte is zero. Spot checks across the file.
  std::ifstream in(destination, std::ios::binary);
  for (std::int64_t offset : {0LL, 123456789LL, 1073741823LL}) {
    in.seekg(offset);
    EXPECT_EQ(in.get(), 0) << offset;
  }
  client.Disconnect();
}

}  // namespace
}  // namespace kelvo
