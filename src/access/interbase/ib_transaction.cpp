// Start, commit and rollback of a client database transaction.
#include "access/interbase/ib_transaction.h"

#include <algorithm>

#include "access/interbase/ib_database.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_parameter_blocks.h"
#include "access/interbase/ib_statement.h"

namespace kelvo {

namespace {

// One entry of the transaction existence block that isc_start_multiple
// reads: a database and the parameter block for it.
struct TransactionExistenceBlock {
  isc_db_handle* database;
  int tpb_length;
  const char* tpb;
};

}  // namespace

IbTransaction::~IbTransaction() {
  for (IbStatement* statement : statements_) statement->transactionGone();
  handle_.reset();
  if (database_ != nullptr) database_->removeTransaction(this);
}

void IbTransaction::setDefaultDatabase(IbDatabase* database) {
  if (database == database_) return;
  if (inTransaction()) throw Error("Transaction is active");
  if (database_ != nullptr) database_->removeTransaction(this);
  database_ = database;
  handle_ = IbTransactionHandle(database_ != nullptr ? &database_->api() : nullptr);
  if (database_ != nullptr) database_->addTransaction(this);
}

const IbClientApi& IbTransaction::api() const {
  if (database_ == nullptr) throw Error("Transaction has no database");
  return database_->api();
}

void IbTransaction::startTransaction() {
  if (inTransaction()) throw Error("Transaction is active");
  const IbClientApi& library = api();
  const std::string block = buildTransactionParameterBlock(params_);
  TransactionExistenceBlock teb{database_->handle(), static_cast<int>(block.size()),
                                block.empty() ? nullptr : block.data()};
  ISC_STATUS_ARRAY status{};
  library.isc_start_multiple(status, handle_.get(), 1, &teb);
  if (ibFailed(status)) {
    handle_.forget();
    raiseIbError(library, status);
  }
}

void IbTransaction::requireActive() const {
  if (!inTransaction()) throw Error("Transaction is not active");
}

void IbTransaction::closeResults() {
  for (IbStatement* statement : statements_) statement->close();
}

void IbTransaction::commit() {
  requireActive();
  closeResults();
  ISC_STATUS_ARRAY status{};
  api().isc_commit_transaction(status, handle_.get());
  checkIbStatus(api(), status);
  handle_.forget();
}

void IbTransaction::rollback() {
  requireActive();
  closeResults();
  ISC_STATUS_ARRAY status{};
  api().isc_rollback_transaction(status, handle_.get());
  checkIbStatus(api(), status);
  handle_.forget();
}

void IbTransaction::commitRetaining() {
  requireActive();
  ISC_STATUS_ARRAY status{};
  api().isc_commit_retaining(status, handle_.get());
  checkIbStatus(api(), status);
}

void IbTransaction::rollbackRetaining() {
  requireActive();
  ISC_STATUS_ARRAY status{};
  api().isc_rollback_retaining(status, handle_.get());
  checkIbStatus(api(), status);
}

void IbTransaction::addStatement(IbStatement* statement) { statements_.push_back(statement); }

void IbTransaction::removeStatement(IbStatement* statement) { std::erase(statements_, statement); }

void IbTransaction::databaseGone() {
  handle_.reset();
  database_ = nullptr;
}

}  // namespace kelvo
