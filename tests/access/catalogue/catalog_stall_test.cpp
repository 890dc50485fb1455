// The central catalogue behind a connection that goes silent: a query fails
// after the read limit with a message naming the server and the wait,
// instead of holding the update. The catalogue is the real server; the
// silence comes from a throw-away proxy of this test's own.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_database.h"
#include "access/catalogue/catalog_error.h"
#include "access/catalogue/catalog_fixture.h"
#include "access/catalogue/catalog_login.h"
#include "access/catalogue/catalog_query.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The proxy, started for one test and stopped by its PID.
class StallProxy {
 public:
  explicit StallProxy(const test::TempFolder& state) : state_(state.path()) {
    const std::string command =
        "/usr/bin/python3 '" + test::sourceFolder() + "/tests/access/catalogue/stall_proxy.py' '" +
        state_.string() + "' " + test::CatalogServer::published().port + " >'" +
        (state_ / "log").string() + "' 2>&1 & echo $! >'" + (state_ / "pid").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream(state_ / "pid") >> pid_;
    for (int i = 0; i < 100 && !fs::exists(state_ / "port"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream(state_ / "port") >> port_;
  }
  ~StallProxy() {
    if (pid_ > 0) ::kill(pid_, SIGTERM);
  }
  StallProxy(const StallProxy&) = delete;
  StallProxy& operator=(const StallProxy&) = delete;

  const std::string& port() const { return port_; }
  void stall() const { std::ofstream(state_ / "stall") << "yes\n"; }

 private:
  fs::path state_;
  pid_t pid_ = 0;
  std::string port_;
};

TEST(CatalogStall, ASilentCatalogueFailsTheQueryAfterTheReadLimitNamingTheServer) {
  test::TempFolder folder;
  test::ScratchCatalog catalog;
  const StallProxy proxy(folder);
  ASSERT_FALSE(proxy.port().empty());
  AliasFileRegistry registry(
      folder
          .write("aliases.ini",
                 "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT=" + proxy.port() +
                     "\nDATABASE NAME=" + catalog.name() + "\nCONNECT TIMEOUT=10\n")
          .string());
  CatalogDatabase database(registry);
  setCatalogLogin(database);
  database.params().push_back("READ TIMEOUT=2");
  database.open();
  CatalogQuery query(database, "Query3");
  query.setStatement("select 1 um");
  query.open();  // the proxy forwards: the catalogue answers
  EXPECT_EQ(query.fieldByName("um").asString(), "1");
  query.close();

  proxy.stall();
  query.setStatement("select 2 dois");
  const Clock::time_point start = Clock::now();
  try {
    query.open();
    ADD_FAILURE() << "the silent catalogue was waited for";
  } catch (const CatalogError& e) {
    EXPECT_EQ(std::string(e.what()),
              "O servidor MySQL 127.0.0.1:" + proxy.port() + " não respondeu em 2 s.");
  }
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(1900));
  EXPECT_LT(waited, std::chrono::seconds(20));
}

}  // namespace
}  // namespace kelvo
