// The script runner IBScript1: executes an upgrade script statement by
// statement against a client database.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "access/interbase/ib_database.h"
#include "access/interbase/ib_statement.h"
#include "access/interbase/ib_transaction.h"
#include "scripts/statement_reader.h"

namespace kelvo {

// Runs Script() with ExecuteScript(). Schema statements run in the runner's
// own schema transaction, committed after each while AutoDDL is on; data
// statements run in the data transaction, which the runner never commits
// unless the script says COMMIT. The data transaction reads committed data,
// so that data statements see the schema that earlier statements committed.
// A statement that returns rows has every row fetched, since the server does
// its work (and raises its errors) only while rows are fetched. The
// terminator, AutoDDL, Statistics, the SQL dialect and no_savepoint carry
// over from one execution to the next; a connection of its own (after
// CONNECT or CREATE DATABASE) lasts only until the execution ends: the next
// one starts again on the caller's connection.
class IbScript {
 public:
  // Text of the error raised when a script ends inside a batch block.
  static const char* const kUnexecutedBatch;

  // DATABASE and TRANSACTION (the data transaction) must outlive the runner.
  IbScript(IbDatabase& database, IbTransaction& transaction);
  // Closes a connection of its own (committing its open work), quietly.
  ~IbScript();
  IbScript(const IbScript&) = delete;
  IbScript& operator=(const IbScript&) = delete;

  // The lines to execute; the caller replaces them before each execution.
  std::vector<std::string>& Script() { return script_; }
  const std::vector<std::string>& Script() const { return script_; }

  // The statement terminator, ";" at first; SET TERM changes it.
  const std::string& Terminator() const { return reader_.terminator(); }
  void setTerminator(std::string terminator) { reader_.setTerminator(std::move(terminator)); }

  // Returns to the caller's connection (closing one of its own, which
  // commits its work), then executes Script() from its first line. Returns
  // when every statement ran;
  // raises an Error when one fails or the script cannot be read on ("Invalid
  // statement" with the statement's text, "Invalid Comment", an INPUT file's
  // error), so that a script that stopped early never looks completed.
  // A stop request raises Interrupted before the next statement.
  void ExecuteScript();

  bool autoDdl() const { return auto_ddl_; }
  bool statistics() const { return statistics_; }
  // Returns the dialect CONNECT and CREATE DATABASE use.
  int sqlDialect() const { return sql_dialect_; }
  bool noSavepoint() const { return no_savepoint_; }
  // Returns the database and data transaction in use (its own after CONNECT).
  IbDatabase& database() { return *database_; }
  IbTransaction& transaction() { return *transaction_; }

 private:
  void execute(const Statement& statement);
  void executeSchemaStatement(const std::string& text);
  void executeDataStatement(const std::string& text);
  void executeInDataTransaction(const std::string& text);
  void executeSet(const Statement& statement);
  void setSqlDialect(const std::string& word);
  void setSavepoints(bool keep);
  void endTransactions(void (IbTransaction::*end)());
  void connect(const Statement& statement);
  void createDatabase(const Statement& statement);
  void useConnection(std::unique_ptr<IbDatabase> database);
  void returnToClientConnection();
  void startDataTransaction();
  void collectForBatch(const Statement& statement);
  void executeBatch();
  IbStatement& executor();

  StatementReader reader_;
  std::vector<std::string> script_;
  IbDatabase& client_database_;
  IbTransaction& client_transaction_;
  IbDatabase* database_;
  IbTransaction* transaction_;
  // Declared in the order they must be destroyed in reverse.
  std::unique_ptr<IbDatabase> own_database_;
  std::unique_ptr<IbTransaction> own_transaction_;
  std::unique_ptr<IbTransaction> schema_transaction_;
  std::unique_ptr<IbStatement> executor_;
  bool auto_ddl_ = true;
  bool statistics_ = true;
  int sql_dialect_ = 3;
  bool no_savepoint_ = false;
  std::string character_set_;
  bool batch_mode_ = false;
  std::vector<std::string> batch_;
};

}  // namespace kelvo
