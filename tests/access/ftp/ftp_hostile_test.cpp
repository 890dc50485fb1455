// The FTP client against a server that misbehaves on purpose: silence after
// a broken data connection, a QUIT reply without line break, endless reply
// lines and replies, a late or missing active-mode data connection, a data
// connection from a stranger, and 421 sent unasked before hanging up.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_transport.h"
#include "ftp_recorder.h"
#include "support/portable.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::entriesIn;
using Clock = std::chrono::steady_clock;

const std::string kHello = "hello from the hostile server\r\n";

// Waits short enough for a test, long enough for a loaded machine.
FtpWaits shortWaits() {
  FtpWaits waits;
  waits.accept = 200;
  waits.brokenTransferReply = 2000;
  waits.quitReply = 500;
  return waits;
}

// The server stays silent for a minute: a call that returns well before it
// did not wait for the server.
void expectNoHang(Clock::time_point start) {
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(20));
}

// Connects as USER, whose name picks the server's misbehaviour.
void connectAs(FtpClient& client, const std::string& user, bool passive = true) {
  client.setHost("127.0.0.1");
  client.setPort(static_cast<std::uint16_t>(std::stoi(test::serviceValue("hostileftp", "port"))));
  client.setUsername(user);
  client.setPassword("any");
  client.setPassive(passive);
  client.setWaits(shortWaits());
  client.Connect();
  client.setTransferType(FtpTransferType::Binary);
}

TEST(FtpHostile, SilenceAfterABrokenDataConnectionEndsTheSessionInBoundedTime) {
  if (test::runningUnderWine()) {
    GTEST_SKIP() << "Wine reports the reset data connection as an orderly end, so the client "
                    "waits for the final reply as after any transfer until the server gives up";
  }
  FtpClient client;
  test::FtpRecorder events(client);
  connectAs(client, "breakdata");
  test::TempFolder folder;
  const fs::path destination = folder.write("hello.txt", "previous");
  const Clock::time_point start = Clock::now();
  EXPECT_THROW(client.Get("hello.txt", destination.string()), FtpSocketError);
  expectNoHang(start);
  EXPECT_EQ(events.begins, 1);
  EXPECT_EQ(events.ends, 1);
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(test::readFile(destination), "previous");
  EXPECT_EQ(entriesIn(folder.path()), 1u);
  EXPECT_THROW(client.Size("hello.txt"), FtpSocketError);
}

TEST(FtpHostile, QuitReplyWithoutLineBreakDoesNotHoldTheDisconnect) {
  FtpClient client;
  connectAs(client, "byenobreak");
  test::FtpRecorder events(client);
  const Clock::time_point start = Clock::now();
  client.Disconnect();
  expectNoHang(start);
  EXPECT_EQ(events.statuses, (std::vector<int>{hsDisconnecting, hsDisconnected}));
  EXPECT_FALSE(client.Connected());
}

TEST(FtpHostile, EndlessReplyLineOrReplyIsCutOffAndEndsTheSession) {
  const std::pair<const char*, const char*> cases[] = {
      {"longline", "The FTP server's reply line is too long."},
      {"longreply", "The FTP server's reply is too long."},
  };
  for (const auto& [user, message] : cases) {
    SCOPED_TRACE(user);
    FtpClient client;
    connectAs(client, user);
    try {
      client.Size("hello.txt");
      ADD_FAILURE() << "the reply was taken whole";
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), message);
    }
    EXPECT_FALSE(client.Connected());
  }
}

TEST(FtpHostile, LateRefusalOfActiveDataConnectionIsReadSoRepliesStayInStep) {
  FtpClient client;
  connectAs(client, "lateaccept", false);
  test::TempFolder folder;
  try {
    client.Get("hello.txt", (folder.path() / "hello.txt").string());
    FAIL() << "downloaded";
  } catch (const FtpSocketError& e) {
    EXPECT_STREQ(e.what(), "Accept timed out.");
  }
  EXPECT_TRUE(client.Connected());
  EXPECT_EQ(client.Size("hello.txt"), static_cast<std::int64_t>(kHello.size()));
  EXPECT_EQ(entriesIn(folder.path()), 0u);
  client.Disconnect();
}

TEST(FtpHostile, ActiveDataConnectionThatNeverComesFromASilentServerEndsTheSession) {
  FtpClient client;
  connectAs(client, "noaccept", false);
  test::TempFolder folder;
  const Clock::time_point start = Clock::now();
  EXPECT_THROW(client.Get("hello.txt", (folder.path() / "hello.txt").string()), FtpSocketError);
  expectNoHang(start);
  EXPECT_FALSE(client.Connected());
  EXPECT_THROW(client.Size("hello.txt"), FtpSocketError);
}

TEST(FtpHostile, ActiveModeTakesTheDataOnlyFromTheServersAddress) {
  FtpClient client;
  connectAs(client, "intruder", false);
  FtpWaits waits = shortWaits();
  waits.accept = 5000;  // the server's own connection follows the stranger's
  client.setWaits(waits);
  test::TempFolder folder;
  client.Get("hello.txt", (folder.path() / "hello.txt").string());
  EXPECT_EQ(test::readFile(folder.path() / "hello.txt"), kHello);
  client.Disconnect();
}

TEST(FtpHostile, ServerThatSaid421AndHungUpIsNotConnected) {
  FtpClient client;
  connectAs(client, "idle421");
  client.ChangeDir("quarvessa");
  // The 421 and the hang-up follow the reply at once; give them a moment.
  const Clock::time_point start = Clock::now();
  while (client.Connected() && Clock::now() - start < std::chrono::seconds(5)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(client.Connected());
  test::FtpRecorder events(client);
  client.Disconnect();
  EXPECT_EQ(events.statuses, (std::vector<int>{hsDisconnecting, hsDisconnected}));
}

}  // namespace
}  // namespace kelvo
