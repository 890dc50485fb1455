// The FTP client against scripted pyftpdlib servers: UTF8 names, 450 on
// LIST and RETR, 421 mid-session, a data connection that ends part-way, a
// server that hangs up on HOST, one without SIZE, and multi-line replies.
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
using test::entriesIn;

void setUp(FtpClient& client, const std::string& server) {
  client.setHost("127.0.0.1");
  client.setPort(
      static_cast<std::uint16_t>(std::stoi(test::serviceValue("pyftpdlib", "port-" + server))));
  client.setUsername("quarve");
  client.setPassword("secret");
  client.setPassive(true);
}

void enterFolder(FtpClient& client, const std::string& server) {
  setUp(client, server);
  client.Connect();
  client.setTransferType(FtpTransferType::Binary);
  client.ChangeDir("quarvessa");
}

const std::string kAccented = "a\xC3\xA7\xC3\xA3o.txt";  // "ação.txt"

TEST(FtpPyftpdlib, Utf8ServerListsAndServesNonAsciiNames) {
  FtpClient client;
  enterFolder(client, "scripted");
  EXPECT_TRUE(ftpOffers(client.features(), "UTF8"));
  std::vector<std::string> lines;
  client.List(lines);
  const DirectoryListing& listing = client.DirectoryListing();
  bool found = false;
  for (const ListingItem& item : listing.items()) found = found || item.fileName == kAccented;
  EXPECT_TRUE(found);
  test::TempFolder folder;
  client.Get(kAccented, (folder.path() / kAccented).string());
  EXPECT_EQ(test::readFile(folder.path() / kAccented), "acentos\n");
  EXPECT_EQ(client.Size(kAccented), 8);
  client.Disconnect();
}

TEST(FtpPyftpdlib, ListRefusedWith450IsAnEmptyListingNotAnError) {
  FtpClient client;
  test::FtpRecorder events(client);
  enterFolder(client, "scripted");
  client.ChangeDir("busy");
  std::vector<std::string> lines{"stale"};
  events.clear();
  client.List(lines);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(events.texts, (std::vector<std::string>{"Starting FTP transfer", "Transfer aborted"}));
  EXPECT_EQ(client.DirectoryListing().count(), 0u);
  EXPECT_EQ(client.transferType(), FtpTransferType::Binary);
  EXPECT_EQ(client.Size("../hello.txt"), 21);
  client.Disconnect();
}

TEST(FtpPyftpdlib, RetrRefusedWith450RaisesAndKeepsThePreviousFile) {
  FtpClient client;
  test::FtpRecorder events(client);
  enterFolder(client, "scripted");
  test::TempFolder folder;
  const fs::path destination = folder.write("busy.txt", "previous");
  events.clear();
  try {
    client.Get("busy.txt", destination.string());
    FAIL() << "downloaded";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 450);
    EXPECT_STREQ(e.what(), "File busy, try later.\n");
  }
  EXPECT_EQ(events.statuses, (std::vector<int>{ftpTransfer, ftpAborted}));
  EXPECT_EQ(test::readFile(destination), "previous");
  EXPECT_EQ(entriesIn(folder.path()), 1u);
  EXPECT_EQ(client.Size("hello.txt"), 21);
  client.Disconnect();
}

TEST(FtpPyftpdlib, DataConnectionEndingPartWayRaisesAndKeepsThePreviousFile) {
  FtpClient client;
  test::FtpRecorder events(client);
  enterFolder(client, "scripted");
  test::TempFolder folder;
  const fs::path destination = folder.write("drop.bin", "previous");
  try {
    client.Get("drop.bin", destination.string());
    FAIL() << "downloaded";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 426);
    EXPECT_NE(std::string(e.what()).find("transfer aborted"), std::string::npos) << e.what();
  }
  EXPECT_EQ(events.work.back(), 100000);
  EXPECT_EQ(events.ends, 1);
  EXPECT_EQ(test::readFile(destination), "previous");
  EXPECT_EQ(entriesIn(folder.path()), 1u);
  // Replies stay in step: the next question gets its own answer.
  EXPECT_EQ(client.Size("hello.txt"), 21);
  client.Disconnect();
}

TEST(FtpPyftpdlib, Reply421ClosesTheConnectionAtOnce) {
  FtpClient client;
  test::FtpRecorder events(client);
  enterFolder(client, "scripted");
  try {
    client.ChangeDir("bye421");
    FAIL() << "changed";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 421);
    EXPECT_STREQ(e.what(), "Service not available, closing control connection.\n");
  }
  EXPECT_FALSE(client.Connected());
  EXPECT_THROW(client.Size("hello.txt"), FtpSocketError);
  events.clear();
  client.Disconnect();
  EXPECT_EQ(events.statuses, (std::vector<int>{hsDisconnecting, hsDisconnected}));
}

TEST(FtpPyftpdlib, RawLinesKeepBlankLinesAndItemsNameTheirLine) {
  FtpClient client;
  enterFolder(client, "scripted");
  client.ChangeDir("oddlines");
  std::vector<std::string> lines;
  client.List(lines);
  ASSERT_EQ(lines.size(), 4u);  // no final line break, still four lines
  EXPECT_EQ(lines[0], "total 2");
  EXPECT_EQ(lines[1], "");
  const DirectoryListing& listing = client.DirectoryListing();
  ASSERT_EQ(listing.count(), 2u);
  EXPECT_EQ(listing[0].lineIndex, 2u);
  EXPECT_EQ(listing[1].fileName, "b");
  EXPECT_EQ(listing[1].lineIndex, 3u);
  EXPECT_THROW(listing.item(3), Error);  // the index of the last raw line
  client.Disconnect();
}

TEST(FtpPyftpdlib, ListingParseErrorIsRaisedOnceAndItsItemsKept) {
  FtpClient client;
  enterFolder(client, "scripted");
  client.ChangeDir("baddate");
  std::vector<std::string> lines;
  client.List(lines);
  EXPECT_EQ(lines.size(), 3u);
  try {
    client.DirectoryListing();
    FAIL() << "parsed";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Invalid argument to date encode");
  }
  const DirectoryListing& listing = client.DirectoryListing();
  ASSERT_EQ(listing.count(), 2u);
  EXPECT_EQ(listing[0].fileName, "good");
  EXPECT_EQ(listing[1].fileName, "");
  // The next listing is parsed afresh.
  client.ChangeDir("../oddlines");
  client.List(lines);
  EXPECT_EQ(client.DirectoryListing().count(), 2u);
  client.Disconnect();
}

TEST(FtpPyftpdlib, WrongPasswordFailsTheConnect) {
  FtpClient client;
  setUp(client, "scripted");
  client.setPassword("wrong");
  try {
    client.Connect();
    FAIL() << "logged in";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 530);
    EXPECT_STREQ(e.what(), "Authentication failed.\n");
  }
  EXPECT_FALSE(client.Connected());
}

class FtpHostRefused : public testing::TestWithParam<const char*> {};

TEST_P(FtpHostRefused, ServerHangingUpOnHostIsConnectedAgainWithoutIt) {
  FtpClient client;
  test::FtpRecorder events(client);
  setUp(client, GetParam());
  client.Connect();
  EXPECT_EQ(events.statuses,
            (std::vector<int>{hsConnecting, hsConnected, hsConnecting, hsConnected, ftpReady}));
  EXPECT_TRUE(client.Connected());
  client.ChangeDir("quarvessa");
  EXPECT_EQ(client.Size("hello.txt"), 21);
  client.Disconnect();
}

INSTANTIATE_TEST_SUITE_P(Servers, FtpHostRefused,
                         testing::Values("hostclose", "host421", "hostlate"));

TEST(FtpPyftpdlib, ServerWithoutSizeGivesMinusOne) {
  FtpClient client;
  enterFolder(client, "nosize");
  EXPECT_FALSE(ftpOffers(client.features(), "SIZE"));
  EXPECT_EQ(client.Size("hello.txt"), -1);
  EXPECT_TRUE(client.Connected());
  client.Disconnect();
}

TEST(FtpPyftpdlib, MultiLineRepliesPasvWithoutBracketsAndPret) {
  FtpClient client;
  enterFolder(client, "classic");
  EXPECT_EQ(client.greeting(), "Welcome\n to the classic server;\nit talks in\nmany lines.\n");
  std::vector<std::string> lines;
  client.List(lines);
  EXPECT_FALSE(lines.empty());
  test::TempFolder folder;
  client.Get("hello.txt", (folder.path() / "hello.txt").string());
  EXPECT_EQ(test::readFile(folder.path() / "hello.txt"), "hello from pyftpdlib\n");
  client.Disconnect();
}

}  // namespace
}  // namespace kelvo
