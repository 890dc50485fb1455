// Opening and closing the central catalogue connection.
#include "access/catalogue/catalog_database.h"

#include <algorithm>

#include "access/catalogue/catalog_client_library.h"
#include "access/catalogue/catalog_error.h"
#include "access/catalogue/catalog_query.h"
#include "access/catalogue/catalog_settings.h"

namespace kelvo {

namespace {

const char* orNull(const std::string& text) { return text.empty() ? nullptr : text.c_str(); }

// Makes the connection TLS only: the server's certificate must chain to the
// CA file and name the server; a server that offers no TLS is refused.
void requireTls(const CatalogClientApi& client, st_mysql* handle, const CatalogSettings& settings) {
  if (settings.tls_ca_file.empty()) {
    throw CatalogError(
        "TLS com o catálogo exige o arquivo de CA: ca_file em [catalogue] do kelvoupdate.ini.", 0);
  }
  const my_bool on = 1;
  if (client.mysql_options(handle, MYSQL_OPT_SSL_CA, settings.tls_ca_file.c_str()) != 0 ||
      client.mysql_options(handle, MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &on) != 0 ||
      client.mysql_options(handle, MYSQL_OPT_SSL_ENFORCE, &on) != 0) {
    throw CatalogError("A biblioteca cliente do catálogo não aceita TLS.", 0);
  }
  // MariaDB's client takes the versions it may use; another client keeps its
  // own floor, and the cipher check after connecting still holds.
  client.mysql_options(handle, MARIADB_OPT_TLS_VERSION, "TLSv1.2,TLSv1.3");
}

}  // namespace

void CatalogDatabase::Closer::operator()(st_mysql* handle) const {
  catalogClient().mysql_close(handle);
}

CatalogDatabase::CatalogDatabase(AliasRegistry& registry, std::string alias_name,
                                 std::string database_name)
    : registry_(registry),
      alias_name_(std::move(alias_name)),
      database_name_(std::move(database_name)) {}

CatalogDatabase::~CatalogDatabase() {
  close();
  // Queries that outlive the connection must not reach back into it.
  for (CatalogQuery* query : queries_) query->database_ = nullptr;
}

void CatalogDatabase::open() {
  if (connected()) return;
  std::vector<std::string> alias_params;
  registry_.GetAliasParams(alias_name_, alias_params);
  const CatalogSettings settings = catalogSettings(alias_params, params_);
  settings_ = settings;

  const CatalogClientApi& client = catalogClient();
  std::unique_ptr<st_mysql, Closer> handle(client.mysql_init(nullptr));
  if (!handle) throw CatalogError("Out of memory while preparing the catalogue connection", 0);
  client.mysql_options(handle.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
  const unsigned timeout = settings.connect_timeout;
  client.mysql_options(handle.get(), MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
  client.mysql_options(handle.get(), MYSQL_OPT_READ_TIMEOUT, &settings.read_timeout);
  client.mysql_options(handle.get(), MYSQL_OPT_WRITE_TIMEOUT, &settings.write_timeout);
  if (settings.tls) requireTls(client, handle.get(), settings);
  // No multi-statement flag: a value can never smuggle in a second statement.
  if (!client.mysql_real_connect(handle.get(), orNull(settings.host), orNull(settings.user),
                                 settings.password.c_str(), orNull(settings.database),
                                 settings.port, orNull(settings.socket), 0)) {
    throw CatalogError(client.mysql_error(handle.get()), client.mysql_errno(handle.get()));
  }
  // The client library is told to insist on TLS; that it did is checked all
  // the same, since a library that ignores an option would go on in plain.
  if (settings.tls && client.mysql_get_ssl_cipher(handle.get()) == nullptr) {
    throw CatalogError("A conexão com o catálogo " + settings.host + " não está cifrada.", 0);
  }
  // Text values are put between apostrophes with every apostrophe doubled.
  // That is only safe while a backslash is an ordinary character, so the
  // session turns backslash escapes off. The script count orders an
  // aggregate, which servers running with ONLY_FULL_GROUP_BY refuse.
  const std::string_view mode =
      "SET SESSION sql_mode = CONCAT(REPLACE(@@SESSION.sql_mode, 'ONLY_FULL_GROUP_BY', ''),"
      " ',NO_BACKSLASH_ESCAPES')";
  if (client.mysql_real_query(handle.get(), mode.data(), mode.size()) != 0) {
    throw CatalogError(client.mysql_error(handle.get()), client.mysql_errno(handle.get()));
  }
  handle_ = std::move(handle);
}

void CatalogDatabase::close() {
  for (CatalogQuery* query : queries_) query->close();
  handle_.reset();
}

void CatalogDatabase::attach(CatalogQuery* query) { queries_.push_back(query); }

void CatalogDatabase::detach(CatalogQuery* query) { std::erase(queries_, query); }

st_mysql* CatalogDatabase::handle() {
  open();
  return handle_.get();
}

}  // namespace kelvo
