// Client databases and their aliases.
#include "support/client_databases.h"

#include <algorithm>
#include <stdexcept>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_test_database.h"

namespace kelvo::test {

namespace {

// Returns every row of TABLE, its FIELDS separated by "|", rows by ";".
std::string rowsOf(ClientConnection& client, const std::string& table,
                   const std::vector<std::string>& fields) {
  std::string rows;
  client.IBQuery1.setSqlText("select * from " + table);
  client.IBQuery1.open();
  for (; !client.IBQuery1.eof(); client.IBQuery1.next()) {
    for (const std::string& field : fields) {
      rows += client.IBQuery1.fieldByName(field).asString() + "|";
    }
    rows += ";";
  }
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
  return rows;
}

}  // namespace

ClientDatabases::ClientDatabases(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::string ClientDatabases::addDatabase(const std::string& alias) {
  const std::string path = (folder_ / (std::to_string(paths_.size()) + ".fdb")).string();
  createDialect1Database(path);
  addAlias(alias, path);
  return path;
}

void ClientDatabases::addAlias(const std::string& alias, const std::string& location) {
  aliases_ += "[" + alias + "]\nDRIVER=INTRBASE\nSERVER NAME=" + location + "\n";
  paths_.emplace_back(alias, location);
}

std::vector<std::string> ClientDatabases::column(const std::string& alias, const std::string& sql,
                                                 const std::string& field) const {
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(locationOf(alias));
  client.IBDatabase1.open();
  std::vector<std::string> values = columnOf(client, sql, field);
  client.IBDatabase1.close();
  return values;
}

std::string ClientDatabases::snapshot(const std::string& alias) const {
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(locationOf(alias));
  client.IBDatabase1.open();
  std::string snapshot;
  for (const std::string& table :
       columnOf(client,
                "select trim(rdb$relation_name) N from rdb$relations where rdb$system_flag = 0 "
                "order by rdb$relation_name",
                "N")) {
    const std::vector<std::string> fields =
        columnOf(client,
                 "select trim(rdb$field_name) N from rdb$relation_fields where "
                 "rdb$relation_name = '" +
                     table + "' order by rdb$field_position",
                 "N");
    snapshot += table + ":" + rowsOf(client, table, fields) + "\n";
  }
  client.IBDatabase1.close();
  return snapshot;
}

const std::string& ClientDatabases::locationOf(const std::string& alias) const {
  const auto found = std::find_if(paths_.begin(), paths_.end(),
                                  [&](const auto& entry) { return entry.first == alias; });
  if (found == paths_.end()) throw std::runtime_error("no database for " + alias);
  return found->second;
}

}  // namespace kelvo::test
