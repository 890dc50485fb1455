// Fresh dialect-1 client databases in a temporary folder, for integration tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "access/interbase/ib_client_connection.h"
#include "support/client_library_required.h"
#include "support/temp_folder.h"

KELVO_REQUIRE_FIREBIRD_CLIENT()

namespace kelvo::test {

// Creates a dialect-1 database at PATH (embedded, no server) and detaches.
inline void createDialect1Database(const std::string& path) {
  IbDatabase database(loadIbClientLibrary());
  database.setSqlDialect(1);
  database.setDatabaseName(path);
  database.createDatabase("USER 'ROOT' PASSWORD '471806' PAGE_SIZE 4096");
  database.close();
}

// Returns FIELD of every row of SQL on CLIENT's open database, then closes
// the query and rolls its transaction back.
inline std::vector<std::string> columnOf(ClientConnection& client, const std::string& sql,
                                         const std::string& field) {
  std::vector<std::string> values;
  client.IBQuery1.setSqlText(sql);
  client.IBQuery1.open();
  for (; !client.IBQuery1.eof(); client.IBQuery1.next()) {
    values.push_back(client.IBQuery1.fieldByName(field).asString());
  }
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
  return values;
}

// A temporary folder holding one fresh database, "client.fdb".
class FreshDatabase {
 public:
  FreshDatabase() : path_((folder_.path() / "client.fdb").string()) {
    createDialect1Database(path_);
  }
  const std::string& path() const { return path_; }
  const std::filesystem::path& folder() const { return folder_.path(); }

 private:
  TempFolder folder_;
  std::string path_;
};

// A test whose client connection is open on a fresh database.
class OpenClientDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    client.IBDatabase1.setDatabaseName(database.path());
    client.IBDatabase1.open();
  }

  // Runs STATEMENT on IBQuery1 and commits it, as the version store does.
  void execute(const std::string& statement) {
    client.IBQuery1.setSqlText(statement);
    client.IBQuery1.execSql();
    client.IBTransaction2.commit();
  }

  FreshDatabase database;
  ClientConnection client;
};

}  // namespace kelvo::test
