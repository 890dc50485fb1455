// The central catalogue connection (Database1): a MariaDB connection whose
// server and database come from an alias and whose login is set by the caller.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "access/catalogue/alias_registry.h"
#include "access/catalogue/catalog_settings.h"

struct st_mysql;

namespace kelvo {

class CatalogQuery;

class CatalogDatabase {
 public:
  // A closed connection through alias ALIAS_NAME of REGISTRY; queries bind
  // to it under DATABASE_NAME.
  explicit CatalogDatabase(AliasRegistry& registry, std::string alias_name = "Check",
                           std::string database_name = "Divozov_ev");
  ~CatalogDatabase();
  CatalogDatabase(const CatalogDatabase&) = delete;
  CatalogDatabase& operator=(const CatalogDatabase&) = delete;

  const std::string& aliasName() const { return alias_name_; }
  const std::string& databaseName() const { return database_name_; }

  // Returns the connection's own NAME=VALUE lines; they override the alias's
  // lines of the same name when the connection opens.
  std::vector<std::string>& params() { return params_; }

  // Connects; does nothing when connected. Throws AliasError for an unknown
  // alias, CatalogError when the server cannot be reached or refuses the login.
  void open();

  // Returns true while connected.
  bool connected() const { return handle_ != nullptr; }
  // Returns the settings of the last open: the server's address and waits.
  const CatalogSettings& settings() const { return settings_; }

  // Closes every open query on the connection, then disconnects.
  void close();

 private:
  friend class CatalogQuery;
  struct Closer {
    void operator()(st_mysql* handle) const;
  };

  void attach(CatalogQuery* query);
  void detach(CatalogQuery* query);
  // Returns the open connection, opening it first when needed.
  st_mysql* handle();

  AliasRegistry& registry_;
  std::string alias_name_;
  std::string database_name_;
  std::vector<std::string> params_;
  CatalogSettings settings_;
  std::unique_ptr<st_mysql, Closer> handle_;
  std::vector<CatalogQuery*> queries_;
};

}  // namespace kelvo
