// The client query over one statement.
#include "access/interbase/ib_query.h"

#include "access/interbase/ib_database.h"
#include "access/interbase/ib_transaction.h"
#include "platform/error.h"

namespace kelvo {

std::string IbField::name() const { return statement().columnName(column_); }
bool IbField::isNull() const { return statement().isNull(column_); }
std::string IbField::asString() const { return statement().asString(column_); }
long long IbField::asInteger() const { return statement().asInteger(column_); }

const IbStatement& IbField::statement() const {
  query_->requireActive();
  if (query_->eof_) throw Error(query_->name() + ": No current record");
  return *query_->statement_;
}

IbQuery::IbQuery(std::string name) : name_(std::move(name)) {}

IbQuery::~IbQuery() = default;

void IbQuery::setDatabase(IbDatabase* database) {
  if (database == database_) return;
  statement_.reset();
  database_ = database;
}

void IbQuery::setTransaction(IbTransaction* transaction) {
  if (transaction == transaction_) return;
  statement_.reset();
  transaction_ = transaction;
}

void IbQuery::setSqlText(std::string_view text) {
  // A result still open belongs to the old statement: kept, it would turn
  // the next open() into a no-op that reads the old rows.
  close();
  lines_.clear();
  lines_.emplace_back(text);
}

std::string IbQuery::sqlText() const {
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines_[i];
  }
  return text;
}

IbStatement& IbQuery::prepareStatement() {
  if (database_ == nullptr) throw Error(name_ + ": Database not assigned");
  IbTransaction* transaction =
      transaction_ != nullptr ? transaction_ : database_->defaultTransaction();
  if (transaction == nullptr) throw Error(name_ + ": Transaction not assigned");
  database_->open();
  transaction->ensureStarted();
  if (!statement_) statement_ = std::make_unique<IbStatement>(*database_, *transaction);
  statement_->prepare(sqlText());
  return *statement_;
}

void IbQuery::open() {
  if (active()) return;
  IbStatement& statement = prepareStatement();
  if (!statement.returnsRows()) {
    throw Error(name_ + ": The statement returns no rows; execute it instead");
  }
  statement.execute();
  eof_ = !statement.fetch();
}

void IbQuery::execSql() {
  close();
  IbStatement& statement = prepareStatement();
  statement.execute();
  statement.close();
}

void IbQuery::close() {
  eof_ = true;
  if (statement_) statement_->close();
}

bool IbQuery::active() const { return statement_ && statement_->resultOpen(); }

void IbQuery::requireActive() const {
  if (!active()) throw Error(name_ + ": Cannot perform this operation on a closed dataset");
}

void IbQuery::next() {
  requireActive();
  if (!eof_) eof_ = !statement_->fetch();
}

IbField IbQuery::fieldByName(std::string_view field) const {
  requireActive();
  const auto column = statement_->findColumn(field);
  if (!column) throw Error(name_ + ": Field '" + std::string(field) + "' not found");
  return IbField(*this, *column);
}

}  // namespace kelvo
