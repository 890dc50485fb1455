// Fresh dialect-1 client databases in a temporary folder, for integration tests.
#pragma once

#include <filesystem>
#include <string>

#include "access/ib_client_connection.h"
#include "support/temp_folder.h"

namespace kelvo::test {

// Creates a dialect-1 database at PATH (embedded, no server) and detaches.
inline void createDialect1Database(const std::string& path) {
  IbDatabase database(loadIbClientLibrary());
  database.setSqlDialect(1);
  database.setDatabaseName(path);
  database.createDatabase("USER 'ROOT' PASSWORD '471806' PAGE_SIZE 4096");
  database.close();
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

}  // namespace kelvo::test
