// The script runner's SET commands and the statements that change its
// connection: CONNECT and CREATE DATABASE.
#include <charconv>

#include "platform/ascii.h"
#include "scripts/ib_script.h"

namespace kelvo {

namespace {

// Returns VALUE without its surrounding apostrophes, a doubled apostrophe
// inside becoming one.
std::string unquoted(const std::string& value) {
  if (value.size() < 2 || value.front() != '\'' || value.back() != '\'') return value;
  std::string text;
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    text += value[i];
    if (value[i] == '\'' && value[i + 1] == '\'' && i + 2 < value.size()) ++i;
  }
  return text;
}

int integerOf(const std::string& word) {
  int value = 0;
  const char* end = word.data() + word.size();
  const auto result = std::from_chars(word.data(), end, value);
  if (word.empty() || result.ec != std::errc() || result.ptr != end) {
    throw Error("'" + word + "' is not a valid integer value");
  }
  return value;
}

}  // namespace

void IbScript::executeSet(const Statement& statement) {
  const std::vector<std::string>& tokens = statement.tokens;
  const std::string setting = upperAscii(tokens[1]);
  if (setting == "AUTODDL") {
    auto_ddl_ = tokens[2] == "ON";
  } else if (setting == "STATISTICS") {
    statistics_ = tokens[2] == "ON";
  } else if (setting == "SQL") {
    setSqlDialect(tokens[3]);
  } else if (setting == "NAMES") {
    character_set_ = tokens[2];
  } else if (setting == "SAVEPOINTS") {
    setSavepoints(tokens[2] != "OFF");
  }
}

// The new dialect lasts for the rest of the program: the connection is
// closed (which commits its open work) and opened again with it.
void IbScript::setSqlDialect(const std::string& word) {
  sql_dialect_ = integerOf(word);
  if (database_->sqlDialect() == sql_dialect_) return;
  const bool was_connected = database_->connected();
  executor_.reset();
  if (was_connected) database_->close();
  database_->setSqlDialect(sql_dialect_);
  if (was_connected) database_->open();
}

void IbScript::setSavepoints(bool keep) {
  no_savepoint_ = !keep;
  std::vector<std::string>& params = transaction_->params();
  std::erase(params, std::string("no_savepoint"));
  if (no_savepoint_) params.emplace_back("no_savepoint");
}

// Makes DATABASE the runner's connection, with a data transaction of its
// own; the schema transaction follows it.
void IbScript::useConnection(std::unique_ptr<IbDatabase> database) {
  executor_.reset();
  if (schema_transaction_->inTransaction()) schema_transaction_->commit();
  schema_transaction_->setDefaultDatabase(nullptr);
  // Closing the connection it replaces commits that connection's open work
  // before its transaction goes away.
  if (own_database_ && own_database_->connected()) own_database_->close();
  own_transaction_.reset();
  own_database_ = std::move(database);
  own_transaction_ = std::make_unique<IbTransaction>();
  own_transaction_->setDefaultDatabase(own_database_.get());
  own_database_->setDefaultTransaction(own_transaction_.get());
  database_ = own_database_.get();
  transaction_ = own_transaction_.get();
  schema_transaction_->setDefaultDatabase(database_);
  setSavepoints(!no_savepoint_);
}

// Every execution starts on the caller's connection, so that a script that
// said CONNECT or CREATE DATABASE does not send the next scripts (and the
// next client databases' scripts) elsewhere while their versions are
// recorded as applied. Closing the runner's own connection commits its work,
// as when the runner goes; a failing close is the error of this execution.
void IbScript::returnToClientConnection() {
  if (!own_database_) return;
  executor_.reset();
  std::unique_ptr<IbDatabase> own = std::move(own_database_);
  std::unique_ptr<IbTransaction> own_transaction = std::move(own_transaction_);
  const auto back = [&] {
    if (schema_transaction_->inTransaction()) {
      try {
        schema_transaction_->rollback();
      } catch (const Error&) {
        // The connection it ran on is going; the first error is reported.
      }
    }
    schema_transaction_->setDefaultDatabase(&client_database_);
    database_ = &client_database_;
    transaction_ = &client_transaction_;
    setSavepoints(!no_savepoint_);
  };
  try {
    if (schema_transaction_->inTransaction()) schema_transaction_->commit();
    if (own->connected()) own->close();
  } catch (...) {
    back();
    throw;  // the handles of the own connection are released quietly
  }
  back();
}

void IbScript::connect(const Statement& statement) {
  if (!own_database_) useConnection(std::make_unique<IbDatabase>(database_->apiPointer()));
  executor_.reset();
  if (database_->connected()) database_->close();
  database_->setSqlDialect(sql_dialect_);
  database_->setDatabaseName(unquoted(statement.tokens[1]));
  std::vector<std::string>& params = database_->params();
  params.clear();
  const std::vector<std::string>& tokens = statement.tokens;
  for (std::size_t i = 2; i + 1 < tokens.size(); i += 2) {
    const std::string key = upperAscii(tokens[i]);
    const std::string value = unquoted(tokens[i + 1]);
    if (key == "USER") params.push_back("user_name=" + value);
    if (key == "PASSWORD") params.push_back("password=" + value);
    if (key == "ROLE") params.push_back("sql_role_name=" + value);
  }
  if (!character_set_.empty()) params.push_back("lc_ctype=" + character_set_);
  database_->open();
}

void IbScript::createDatabase(const Statement& statement) {
  const std::vector<std::string>& tokens = statement.tokens;
  if (tokens.size() < 3) throw Error("Invalid statement\r\n" + statement.text);
  auto database = std::make_unique<IbDatabase>(database_->apiPointer());
  database->setSqlDialect(sql_dialect_);
  database->setDatabaseName(unquoted(tokens[2]));
  // Every following pair of words is one creation clause; a lone last word
  // is passed on too, so that the server judges it instead of it vanishing.
  std::string clauses;
  for (std::size_t i = 3; i < tokens.size(); ++i) {
    if (!clauses.empty()) clauses += ' ';
    clauses += tokens[i];
  }
  database->createDatabase(clauses);
  useConnection(std::move(database));
}

}  // namespace kelvo
