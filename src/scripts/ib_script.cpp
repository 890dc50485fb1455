// The script runner: what each statement kind does, in which transaction.
#include "scripts/ib_script.h"

#include <algorithm>

#include "access/interbase/ib_error.h"
#include "platform/ascii.h"
#include "platform/stop_request.h"

namespace kelvo {

namespace {
using K = StatementKind;
}  // namespace

IbScript::IbScript(IbDatabase& database, IbTransaction& transaction)
    : client_database_(database),
      client_transaction_(transaction),
      database_(&database),
      transaction_(&transaction),
      schema_transaction_(std::make_unique<IbTransaction>()) {
  schema_transaction_->setDefaultDatabase(database_);
}

// A connection of its own is closed like any other, which commits its open
// work: the caller's commits reach only the connection it handed over.
const char* const IbScript::kUnexecutedBatch =
    "Batch block without BATCH EXECUTE: its statements were not executed";

IbScript::~IbScript() {
  executor_.reset();
  if (own_database_ && own_database_->connected()) {
    try {
      own_database_->close();
    } catch (const Error&) {
      // Nobody is left to report to; the handles are released quietly below.
    }
  }
}

void IbScript::ExecuteScript() {
  returnToClientConnection();
  character_set_.clear();
  batch_mode_ = false;
  batch_.clear();
  executor_.reset();
  reader_.start(script_);
  try {
    // Between two statements is a safe point: what the script did so far in
    // its data transaction is the caller's to roll back.
    while (auto statement = reader_.next()) {
      throwIfStopRequested();
      execute(*statement);
    }
    // A batch still open at the end never ran: the script must not pass for
    // one that completed, or its version would be recorded without them.
    if (batch_mode_) throw Error(kUnexecutedBatch);
    if (executor_) executor_->release();
  } catch (...) {
    reader_.stop();
    executor_.reset();  // releases quietly: the statement's own error matters
    throw;
  }
  executor_.reset();
}

IbStatement& IbScript::executor() {
  if (!executor_) executor_ = std::make_unique<IbStatement>(*database_, *transaction_);
  return *executor_;
}

void IbScript::execute(const Statement& statement) {
  // An unrecognised statement is invalid wherever it stands, a batch block
  // included: the batch error would blame a statement kind it does not have.
  if (batch_mode_ && statement.kind != K::stmtERR) {
    collectForBatch(statement);
    return;
  }
  switch (statement.kind) {
    case K::stmtDDL:
      executeSchemaStatement(statement.text);
      break;
    case K::stmtDML:
    case K::stmtServerSET:
      executeDataStatement(statement.text);
      break;
    case K::stmtSET:
      executeSet(statement);
      break;
    case K::stmtTERM:
      break;  // the reader already reads on with the new terminator
    case K::stmtCOMMIT:
      endTransactions(&IbTransaction::commit);
      break;
    case K::stmtROLLBACK:
      endTransactions(&IbTransaction::rollback);
      break;
    case K::stmtCOMMITRetaining:
      endTransactions(&IbTransaction::commitRetaining);
      break;
    case K::stmtROLLBACKRetaining:
      endTransactions(&IbTransaction::rollbackRetaining);
      break;
    case K::stmtReconnect:
      executor_.reset();
      database_->close();
      database_->open();
      break;
    case K::stmtCONNECT:
      connect(statement);
      break;
    case K::stmtCREATE:
      createDatabase(statement);
      break;
    case K::stmtDrop:
      executor_.reset();
      database_->dropDatabase();
      break;
    case K::stmtStartSavepoint:
    case K::stmtReleaseSavePoint:
    case K::stmtRollbackSavePoint:
      // The server understands its savepoint statements as written.
      executeInDataTransaction(statement.text);
      break;
    case K::stmtBatchStart:
      batch_mode_ = true;
      batch_.clear();
      break;
    case K::stmtBatchExecute:
      executeBatch();
      break;
    case K::stmtERR:
    case K::stmtEMPTY:
    case K::stmtINPUT:
    case K::stmtUNK:
      throw Error("Invalid statement\r\n" + statement.text);
  }
}

void IbScript::executeSchemaStatement(const std::string& text) {
  if (!auto_ddl_) {
    executeInDataTransaction(text);
    return;
  }
  IbTransaction& schema = *schema_transaction_;
  schema.ensureStarted();
  try {
    executeImmediate(*database_, schema, text);
    // Many schema errors surface only at commit; they end the statement too.
    schema.commit();
  } catch (...) {
    if (schema.inTransaction()) {
      try {
        schema.rollback();
      } catch (const Error&) {
        // The statement's own error is the one to report.
      }
    }
    throw;
  }
}

// A selectable procedure, an EXECUTE BLOCK with SUSPEND or a SELECT of
// GEN_ID does its work only while its rows are fetched: every row is read,
// and a failing fetch fails the statement.
void IbScript::executeDataStatement(const std::string& text) {
  IbStatement& statement = executor();
  statement.close();
  startDataTransaction();
  statement.prepare(text);
  statement.execute();
  if (!statement.resultOpen()) return;
  while (statement.fetch()) {
  }
  statement.close();
}

// Read committed: a snapshot started before a schema statement committed
// would not see the table, column or view it made ("Column unknown").
void IbScript::startDataTransaction() {
  std::vector<std::string>& params = transaction_->params();
  for (const char* name : {"read_committed", "rec_version"}) {
    if (std::find(params.begin(), params.end(), name) == params.end()) params.emplace_back(name);
  }
  transaction_->ensureStarted();
}

void IbScript::executeInDataTransaction(const std::string& text) {
  if (executor_) executor_->close();
  startDataTransaction();
  executeImmediate(*database_, *transaction_, text);
}

void IbScript::endTransactions(void (IbTransaction::*end)()) {
  if (transaction_->inTransaction()) (transaction_->*end)();
  if (schema_transaction_->inTransaction()) ((*schema_transaction_).*end)();
}

void IbScript::collectForBatch(const Statement& statement) {
  const bool select = statement.kind == K::stmtDML && upperAscii(statement.tokens[0]) == "SELECT";
  switch (statement.kind) {
    case K::stmtDDL:
    case K::stmtDML:
      if (!select) {
        batch_.push_back(statement.text);
        return;
      }
      break;
    case K::stmtTERM:
      return;
    case K::stmtBatchExecute:
      executeBatch();
      return;
    default:
      break;
  }
  throw Error("Only DDL and DML (excluding Select statements) allowed within a Batch block");
}

// The client library has no one-call batch; the collected statements run
// one after the other in the data transaction, the first failure ending them.
void IbScript::executeBatch() {
  std::vector<std::string> collected = std::move(batch_);
  batch_.clear();
  batch_mode_ = false;
  startDataTransaction();
  for (const std::string& text : collected) executeInDataTransaction(text);
}

}  // namespace kelvo
