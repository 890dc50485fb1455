// The FTP client facing a server that stops answering: every read ends after
// the read limit with a message naming the server and the wait, and a stop
// request ends a wait within moments. The download's old copy survives and
// no temporary file is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_download_file.h"
#include "access/ftp/ftp_transport.h"
#include "platform/files.h"
#include "platform/stop_request.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string port() { return test::serviceValue("hostileftp", "port"); }

// Logs in with PASSWORD, which picks the server's misbehaviour (as the
// updater's fixed user name could not), every read limited to LIMIT_MS.
void connectWith(FtpClient& client, const std::string& password, int limit_ms) {
  client.setHost("127.0.0.1");
  client.setPort(static_cast<std::uint16_t>(std::stoi(port())));
  client.setUsername("quarve");
  client.setPassword(password);
  FtpWaits waits;
  waits.read = limit_ms;
  waits.brokenTransferReply = 500;
  client.setWaits(waits);
  client.Connect();
  client.setTransferType(FtpTransferType::Binary);
}

std::vector<std::string> temporaryFilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (isFtpTemporaryName(entry.path().filename().string())) {
      names.push_back(entry.path().filename().string());
    }
  }
  return names;
}

struct Stall {
  const char* mode;
  const char* call;
  std::function<void(FtpClient&, const fs::path&)> run;
};

const Stall kStalls[] = {
    {"stalldata", "RETR (data connection silent after some bytes)",
     [](FtpClient& client, const fs::path& destination) {
       client.Get("hello.txt", destination.string());
     }},
    {"stallreply", "SIZE (control connection silent)",
     [](FtpClient& client, const fs::path&) { client.Size("hello.txt"); }},
};

// Runs BODY for each stall with a client logged in to it, every read
// limited to LIMIT_MS, and a local copy of the file; the copy must stay as it
// was and no temporary download may be left.
void forEachStall(int limit_ms,
                  const std::function<void(const Stall&, FtpClient&, const fs::path&)>& body) {
  for (const Stall& stall : kStalls) {
    SCOPED_TRACE(stall.call);
    test::TempFolder folder;
    const fs::path destination = folder.write("hello.txt", "old copy");
    FtpClient client;
    connectWith(client, stall.mode, limit_ms);
    body(stall, client, destination);
    EXPECT_EQ(test::readFile(destination), "old copy");
    EXPECT_TRUE(temporaryFilesIn(folder.path()).empty());
  }
}

TEST(FtpStall, ASilentServerFailsTheCallAfterTheReadLimitNamingServerAndWait) {
  forEachStall(1000, [](const Stall& stall, FtpClient& client, const fs::path& destination) {
    const Clock::time_point start = Clock::now();
    try {
      stall.run(client, destination);
      ADD_FAILURE() << "no time-out";
    } catch (const FtpTimeoutError& e) {
      EXPECT_EQ(std::string(e.what()),
                "O servidor FTP 127.0.0.1:" + port() + " não respondeu em 1 s.");
    }
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(900));
    EXPECT_LT(waited, std::chrono::seconds(10));
  });
}

TEST(FtpStall, AStopRequestEndsTheWaitAtOnceWithoutALimit) {
  forEachStall(0, [](const Stall& stall, FtpClient& client, const fs::path& destination) {
    clearStopRequest();
    std::thread stopper([] {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      requestStop();
    });
    const Clock::time_point start = Clock::now();
    EXPECT_THROW(stall.run(client, destination), Interrupted);
    const auto waited = Clock::now() - start;
    stopper.join();
    clearStopRequest();
    EXPECT_LT(waited, std::chrono::seconds(3));
  });
}

TEST(FtpLeftovers, OnlyTheDownloadsOwnTemporaryNamesAreRemoved) {
  test::TempFolder folder;
  const std::string own = fs::path(ftpTemporaryPath("programa.exe")).filename().string();
  const struct {
    std::string name;
    bool removed;
  } cases[] = {
      {own, true},
      {".kelvo-0123456789abcdef.part", true},
#ifndef _WIN32  // a name differing in letter case only is the same file there
      {".kelvo-0123456789ABCDEF.part", false},  // the digits are lower case
#endif
      {".kelvo-0123456789abcde.part", false},  // fifteen digits
      {".kelvo-0123456789abcdef0.part", false},
      {".kelvo-0123456789abcdeg.part", false},
      {".kelvo-0123456789abcdef.part.bak", false},
      {"kelvo-0123456789abcdef.part", false},
      {".kelvo-0123456789abcdef.txt", false},
      {"Sys_Tavrela.exe", false},
  };
  for (const auto& c : cases) folder.write(c.name, "x");
  fs::create_directory(folder.path() / ".kelvo-fedcba9876543210.part");  // a folder is no leftover

  const std::vector<std::string> removed = removeFtpTemporaryFiles(folder.path().string());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fs::exists(folder.path() / c.name), !c.removed);
    EXPECT_EQ(std::count(removed.begin(), removed.end(), c.name), c.removed ? 1 : 0);
  }
  EXPECT_TRUE(fs::is_directory(folder.path() / ".kelvo-fedcba9876543210.part"));
}

}  // namespace
}  // namespace kelvo
