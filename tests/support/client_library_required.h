// Database tests on Windows: the Firebird and MariaDB clients are loaded at
// run time there, and no Windows build of either can be had on the machine
// that builds and tests under Wine. A test program that needs one registers
// a check that skips all of its tests, with that reason, when the library
// cannot be loaded. On POSIX nothing is registered: a missing client fails
// the tests there.
#pragma once

#ifdef _WIN32
#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "access/catalogue/catalog_client_library.h"
#include "access/interbase/ib_client_library.h"

namespace kelvo::test {

class ClientLibraryRequired : public ::testing::Environment {
 public:
  ClientLibraryRequired(std::string client, std::function<void()> load)
      : client_(std::move(client)), load_(std::move(load)) {}

  void SetUp() override {
    try {
      load_();
    } catch (const std::exception& error) {
      GTEST_SKIP() << "no Windows build of the " << client_
                   << " client can be had on this machine (" << error.what() << ")";
    }
  }

 private:
  std::string client_;
  std::function<void()> load_;
};

// Registers the check for CLIENT once per program (the variables below are
// inline: one for all sources that include this).
inline ::testing::Environment* requireClientLibrary(const char* client, void (*load)()) {
  return ::testing::AddGlobalTestEnvironment(new ClientLibraryRequired(client, load));
}

}  // namespace kelvo::test

#define KELVO_REQUIRE_FIREBIRD_CLIENT()                                \
  namespace kelvo::test {                                              \
  inline ::testing::Environment* const kFirebirdClientRequired =       \
      requireClientLibrary("Firebird", [] { loadIbClientLibrary(); }); \
  }
#define KELVO_REQUIRE_MARIADB_CLIENT()                          \
  namespace kelvo::test {                                       \
  inline ::testing::Environment* const kMariaDbClientRequired = \
      requireClientLibrary("MariaDB", [] { catalogClient(); }); \
  }
#else
#define KELVO_REQUIRE_FIREBIRD_CLIENT()
#define KELVO_REQUIRE_MARIADB_CLIENT()
#endif
