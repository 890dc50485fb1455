// Attach, detach, create and drop of a client database.
#include "access/interbase/ib_database.h"

#include <algorithm>

#include "access/interbase/ib_error.h"
#include "access/interbase/ib_parameter_blocks.h"
#include "access/interbase/ib_statement.h"
#include "access/interbase/ib_transaction.h"
#include "platform/codepage.h"
#include "platform/stop_request.h"

namespace kelvo {

namespace {

// Returns NAME between apostrophes, apostrophes inside doubled, so that a
// name holding one cannot end the literal early.
std::string quotedLiteral(const std::string& name) {
  std::string quoted = "'";
  for (char c : name) {
    quoted += c;
    if (c == '\'') quoted += '\'';
  }
  return quoted + "'";
}

}  // namespace

IbDatabase::IbDatabase(std::shared_ptr<const IbClientApi> api)
    : api_(std::move(api)), handle_(api_.get()) {}

IbDatabase::~IbDatabase() {
  for (IbStatement* statement : statements_) statement->databaseGone();
  for (IbTransaction* transaction : transactions_) transaction->databaseGone();
  handle_.reset();
}

void IbDatabase::requireClosed() const {
  if (connected()) throw Error("Cannot perform operation -- DB is currently open");
}

void IbDatabase::setDatabaseName(const std::string& name) {
  if (name == name_) return;
  requireClosed();
  name_ = name;
}

void IbDatabase::setSqlDialect(int dialect) {
  if (dialect == sql_dialect_) return;
  requireClosed();
  sql_dialect_ = dialect;
}

void IbDatabase::open() {
  if (connected()) return;
  if (name_.empty()) throw Error("Database name is missing");
  const std::string block = buildDatabaseParameterBlock(params_);
  const std::string file = utf8ToAnsi(name_);
  ISC_STATUS_ARRAY status{};
  api_->isc_attach_database(status, 0, file.c_str(), handle_.get(),
                            static_cast<short>(block.size()), block.data());
  if (ibFailed(status)) {
    handle_.forget();
    raiseIbError(*api_, status);
  }
  // The client library installs its own SIGINT and SIGTERM handlers on its
  // first attach, after which neither would stop the run.
  reclaimStopSignals();
  readDialect();
}

void IbDatabase::readDialect() {
  const char items[] = {static_cast<char>(isc_info_db_sql_dialect), isc_info_end};
  char buffer[64] = {};
  ISC_STATUS_ARRAY status{};
  api_->isc_database_info(status, handle_.get(), sizeof items, items, sizeof buffer, buffer);
  checkIbStatus(*api_, status);
  db_sql_dialect_ = 1;  // a database too old to report one is dialect 1
  if (static_cast<unsigned char>(buffer[0]) == isc_info_db_sql_dialect) {
    const auto length =
        static_cast<unsigned char>(buffer[1]) | (static_cast<unsigned char>(buffer[2]) << 8);
    if (length >= 1) db_sql_dialect_ = static_cast<unsigned char>(buffer[3]);
  }
  if (db_sql_dialect_ < sql_dialect_) sql_dialect_ = db_sql_dialect_;
}

void IbDatabase::releaseStatements() {
  for (IbStatement* statement : statements_) statement->release();
}

void IbDatabase::close() {
  if (!connected()) return;
  releaseStatements();
  for (IbTransaction* transaction : transactions_) {
    if (transaction->inTransaction()) transaction->commit();
  }
  ISC_STATUS_ARRAY status{};
  api_->isc_detach_database(status, handle_.get());
  checkIbStatus(*api_, status);
  handle_.forget();
  db_sql_dialect_ = 0;
}

void IbDatabase::createDatabase(const std::string& clauses) {
  requireClosed();
  if (name_.empty()) throw Error("Database name is missing");
  std::string statement = "CREATE DATABASE " + quotedLiteral(name_);
  if (!clauses.empty()) statement += " " + clauses;
  const std::string text = utf8ToAnsi(statement);
  if (text.find('\0') != std::string::npos) {
    throw Error("Statement text holds a NUL character: " + statement);
  }
  isc_tr_handle no_transaction = 0;
  ISC_STATUS_ARRAY status{};
  api_->isc_dsql_execute_immediate(status, handle_.get(), &no_transaction, 0, text.c_str(),
                                   static_cast<unsigned short>(sql_dialect_), nullptr);
  if (ibFailed(status)) {
    handle_.forget();
    raiseIbError(*api_, status);
  }
  readDialect();
}

void IbDatabase::dropDatabase() {
  if (!connected()) {
    // Let the library report the missing attachment in its own words.
    ISC_STATUS_ARRAY status{};
    api_->isc_drop_database(status, handle_.get());
    checkIbStatus(*api_, status);
    return;
  }
  releaseStatements();
  for (IbTransaction* transaction : transactions_) {
    if (transaction->inTransaction()) transaction->rollback();
  }
  ISC_STATUS_ARRAY status{};
  api_->isc_drop_database(status, handle_.get());
  checkIbStatus(*api_, status);
  handle_.forget();
  db_sql_dialect_ = 0;
}

void IbDatabase::addTransaction(IbTransaction* transaction) {
  transactions_.push_back(transaction);
}

void IbDatabase::removeTransaction(IbTransaction* transaction) {
  std::erase(transactions_, transaction);
}

void IbDatabase::addStatement(IbStatement* statement) { statements_.push_back(statement); }

void IbDatabase::removeStatement(IbStatement* statement) { std::erase(statements_, statement); }

}  // namespace kelvo
