// One SQL statement on a client database: prepare, execute, fetch rows and
// read their columns.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/interbase/ib_handles.h"

namespace kelvo {

class IbDatabase;
class IbTransaction;

// A statement bound to a database and a transaction. The text goes to the
// server as it stands (no parameter processing); a statement that the
// server prepares with input parameters is refused, since nothing here
// supplies their values. Not copyable or movable.
class IbStatement {
 public:
  IbStatement(IbDatabase& database, IbTransaction& transaction);
  ~IbStatement();
  IbStatement(const IbStatement&) = delete;
  IbStatement& operator=(const IbStatement&) = delete;

  // Prepares SQL (UTF-8) with the database's dialect in the transaction,
  // which must be active; an open result is closed first. Raises the
  // server's IbError, or an Error naming the statement when it has input
  // parameters or holds a NUL character.
  void prepare(std::string_view sql);
  // Returns true when the prepared statement yields rows.
  bool returnsRows() const;
  // Executes the prepared statement. A query's result stays open for
  // fetch() until close(); a procedure's output row is available at once.
  void execute();
  // Reads the next row of the open result; returns false at its end.
  bool fetch();
  // Returns true while a result is open.
  bool resultOpen() const { return result_open_; }
  // Closes the open result, if any.
  void close();
  // Closes the result and gives the statement handle back to the server.
  void release();

  // Columns of the prepared statement and the current row's values.
  std::size_t columnCount() const;
  // Returns the column's name (its alias) as the server reports it.
  std::string columnName(std::size_t column) const;
  // Returns the column of NAME, compared without regard to letter case.
  std::optional<std::size_t> findColumn(std::string_view name) const;
  bool isNull(std::size_t column) const;
  // Returns the value as text (null reads as empty text).
  std::string asString(std::size_t column) const;
  // Returns the value as an integer (null reads as 0); text must hold one.
  long long asInteger(std::size_t column) const;

 private:
  friend class IbDatabase;
  friend class IbTransaction;
  struct Columns;
  void databaseGone();
  void transactionGone();
  void describeOutput();
  void refuseInputParameters(std::string_view sql);
  int readStatementType();

  IbDatabase* database_;
  IbTransaction* transaction_;
  IbStatementHandle handle_;
  std::unique_ptr<Columns> columns_;
  int type_ = 0;
  bool prepared_ = false;
  bool result_open_ = false;
  bool cursor_open_ = false;
  bool singleton_pending_ = false;
};

// Runs SQL (UTF-8) once in TRANSACTION, which must be active, with the
// database's dialect and no statement handle of its own; for statements that
// return nothing (schema statements, savepoints). Raises like prepare().
void executeImmediate(IbDatabase& database, IbTransaction& transaction, std::string_view sql);

}  // namespace kelvo
