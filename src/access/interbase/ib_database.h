// A connection to one client database through the client library.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "access/interbase/ib_client_library.h"
#include "access/interbase/ib_handles.h"

namespace kelvo {

class IbTransaction;
class IbStatement;

// One attachment at a time to the database named by databaseName(). The
// transactions and statements that use it register themselves, so that
// close() can end them in order. Not copyable or movable: they point at it.
class IbDatabase {
 public:
  explicit IbDatabase(std::shared_ptr<const IbClientApi> api);
  // Rolls back whatever is still active and detaches, quietly.
  ~IbDatabase();
  IbDatabase(const IbDatabase&) = delete;
  IbDatabase& operator=(const IbDatabase&) = delete;

  // Returns the client library's entry points.
  const IbClientApi& api() const { return *api_; }
  // Returns the shared entry point table (for connections made alongside).
  const std::shared_ptr<const IbClientApi>& apiPointer() const { return api_; }

  // Sets the location passed to the library (a path, or "host:path").
  // Raises "Cannot perform operation -- DB is currently open" when a
  // different name is set while connected; the same name changes nothing.
  void setDatabaseName(const std::string& name);
  const std::string& databaseName() const { return name_; }

  // The "name=value" lines of the attach's parameter block.
  std::vector<std::string>& params() { return params_; }

  // Sets the SQL dialect statements are prepared with; only while closed
  // (same error as above otherwise).
  void setSqlDialect(int dialect);
  int sqlDialect() const { return sql_dialect_; }
  // Returns the database's own dialect, read at open (0 while closed).
  int dbSqlDialect() const { return db_sql_dialect_; }

  // The transaction that queries use when they name none.
  void setDefaultTransaction(IbTransaction* transaction) { default_transaction_ = transaction; }
  IbTransaction* defaultTransaction() const { return default_transaction_; }

  // Attaches; does nothing when connected. Raises "Database name is
  // missing" for an empty name and the server's IbError when the attach
  // fails.
  void open();
  // Closes every open result, commits every active transaction of this
  // connection, then detaches. Does nothing when closed. A failing commit
  // raises and leaves the connection attached, so nothing is lost.
  void close();
  // Returns true while attached.
  bool connected() const { return static_cast<bool>(handle_); }

  // Creates the database named by databaseName() with the creation CLAUSES
  // ("USER 'x' PASSWORD 'y' PAGE_SIZE 4096") and stays attached to it.
  void createDatabase(const std::string& clauses);
  // Rolls back the active transactions and drops the attached database.
  void dropDatabase();

  // Returns the attachment handle for library calls.
  isc_db_handle* handle() { return handle_.get(); }

 private:
  friend class IbTransaction;
  friend class IbStatement;
  void addTransaction(IbTransaction* transaction);
  void removeTransaction(IbTransaction* transaction);
  void addStatement(IbStatement* statement);
  void removeStatement(IbStatement* statement);
  void requireClosed() const;
  void readDialect();
  void releaseStatements();

  std::shared_ptr<const IbClientApi> api_;
  IbDatabaseHandle handle_;
  std::string name_;
  std::vector<std::string> params_;
  int sql_dialect_ = 3;
  int db_sql_dialect_ = 0;
  IbTransaction* default_transaction_ = nullptr;
  std::vector<IbTransaction*> transactions_;
  std::vector<IbStatement*> statements_;
};

}  // namespace kelvo
