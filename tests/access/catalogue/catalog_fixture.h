// The real MariaDB catalogue server of the tests: an alias file that points
// at it, and a scratch catalogue database per test.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "support/client_library_required.h"
#include "support/temp_folder.h"

KELVO_REQUIRE_MARIADB_CLIENT()

struct st_mysql;

namespace kelvo::test {

// Returns the demo login and address the "mariadb" service published: the
// catalogue login (user, password), which reads only scripts and principal,
// and the login that fills catalogues (setup_user, setup_password).
struct CatalogServer {
  std::string port;
  std::string socket;
  std::string database;
  std::string user;
  std::string password;
  std::string setup_user;
  std::string setup_password;

  static CatalogServer published();
};

// Writes FOLDER/aliases.ini with an alias "Check" (driver MYSQL) pointing at
// the test server's database DATABASE, followed by EXTRA lines (for example
// more aliases), and returns its path.
std::filesystem::path writeCatalogAliasFile(const TempFolder& folder, const std::string& database,
                                            const std::string& extra = "");

// A fresh catalogue database with the project's schema, dropped afterwards;
// the catalogue login may read its scripts and principal.
class ScratchCatalog {
 public:
  ScratchCatalog();
  ~ScratchCatalog();
  ScratchCatalog(const ScratchCatalog&) = delete;
  ScratchCatalog& operator=(const ScratchCatalog&) = delete;

  const std::string& name() const { return name_; }

  // Runs SQL (one or more statements) on the scratch database; fails the
  // test on a server error.
  void execute(const std::string& sql);
  // Lets the catalogue login read TABLE too.
  void grantRead(const std::string& table);

  // Adds one scripts row; TEXTO is stored byte for byte.
  void addScript(std::string_view programa, std::string_view versao, std::string_view texto,
                 std::string_view liberado = "S");

 private:
  st_mysql* handle_ = nullptr;
  std::string name_;
};

}  // namespace kelvo::test
