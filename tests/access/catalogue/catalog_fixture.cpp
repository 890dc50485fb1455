// Alias file and scratch databases on the tests' MariaDB server.
#include "access/catalogue/catalog_fixture.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "access/catalogue/catalog_client_library.h"
#include "platform/hex_text.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo::test {

namespace {

std::string quoted(std::string_view text) { return "X'" + toHex(text) + "'"; }

}  // namespace

CatalogServer CatalogServer::published() {
  return CatalogServer{
      serviceValue("mariadb", "port"),          serviceValue("mariadb", "socket"),
      serviceValue("mariadb", "database"),      serviceValue("mariadb", "user"),
      serviceValue("mariadb", "password"),      serviceValue("mariadb", "setup_user"),
      serviceValue("mariadb", "setup_password")};
}

std::filesystem::path writeCatalogAliasFile(const TempFolder& folder, const std::string& database,
                                            const std::string& extra) {
  const CatalogServer server = CatalogServer::published();
  return folder.write("aliases.ini",
                      "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT=" + server.port +
                          "\nDATABASE NAME=" + database +
                          "\nUSER NAME=alias_own_user\nCONNECT TIMEOUT=10\n" + extra);
}

ScratchCatalog::ScratchCatalog() {
  static std::atomic<int> counter{0};
  name_ = "kelvo_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
  const CatalogServer server = CatalogServer::published();
  handle_ = catalogClient().mysql_init(nullptr);
  if (!catalogClient().mysql_real_connect(
          handle_, "127.0.0.1", server.setup_user.c_str(), server.setup_password.c_str(), nullptr,
          static_cast<unsigned>(std::stoul(server.port)), nullptr, CLIENT_MULTI_STATEMENTS)) {
    const std::string message = catalogClient().mysql_error(handle_);
    catalogClient().mysql_close(handle_);
    handle_ = nullptr;
    throw std::runtime_error("cannot reach the test catalogue server: " + message);
  }
  execute("CREATE DATABASE `" + name_ + "`; USE `" + name_ + "`");
  execute(test::readFile(sourceFolder() + "/db/catalog_schema.sql"));
  grantRead("scripts");
  grantRead("principal");
}

void ScratchCatalog::grantRead(const std::string& table) {
  const std::string user = CatalogServer::published().user;
  execute("GRANT SELECT ON `" + name_ + "`.`" + table + "` TO '" + user + "'@'127.0.0.1', '" +
          user + "'@'localhost'");
}

ScratchCatalog::~ScratchCatalog() {
  if (handle_ == nullptr) return;
  const std::string drop = "DROP DATABASE IF EXISTS `" + name_ + "`";
  catalogClient().mysql_real_query(handle_, drop.data(), drop.size());
  catalogClient().mysql_close(handle_);
}

void ScratchCatalog::execute(const std::string& sql) {
  if (catalogClient().mysql_real_query(handle_, sql.data(), sql.size()) != 0) {
    throw std::runtime_error("catalogue setup failed: " +
                             std::string(catalogClient().mysql_error(handle_)));
  }
  // Drain every result of a multi-statement text.
  int status = 0;
  do {
    if (MYSQL_RES* result = catalogClient().mysql_store_result(handle_))
      catalogClient().mysql_free_result(result);
    status = catalogClient().mysql_next_result(handle_);
    if (status > 0) {
      throw std::runtime_error("catalogue setup failed: " +
                               std::string(catalogClient().mysql_error(handle_)));
    }
  } while (status == 0);
}

void ScratchCatalog::addScript(std::string_view programa, std::string_view versao,
                               std::string_view texto, std::string_view liberado) {
  execute("INSERT INTO scripts (programa, versao, texto, liberado) VALUES (CONVERT(" +
          quoted(programa) + " USING utf8mb4), CONVERT(" + quoted(versao) + " USING utf8mb4), " +
          quoted(texto) + ", CONVERT(" + quoted(liberado) + " USING utf8mb4))");
}

}  // namespace kelvo::test
