// The client query: a statement held as text lines, run on a database in a
// transaction, with a current row whose fields are read by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "access/interbase/ib_statement.h"

namespace kelvo {

class IbDatabase;
class IbTransaction;
class IbQuery;

// A column of a client query's result; reads the query's current row.
class IbField {
 public:
  IbField(const IbQuery& query, std::size_t column) : query_(&query), column_(column) {}
  // Returns the column's name as the server reports it.
  std::string name() const;
  // Returns true when the current row holds null.
  bool isNull() const;
  // Returns the current row's value as text; null reads as empty text.
  std::string asString() const;
  // Returns the current row's value as an integer; null reads as 0.
  long long asInteger() const;

 private:
  const IbStatement& statement() const;
  const IbQuery* query_;
  std::size_t column_;
};

// Use: set the database and the transaction once, then per statement
//   query.setSqlText("select versao from versao");
//   query.open(); if (!query.eof()) text = query.fieldByName("versao").asString();
//   query.close(); transaction.rollback();
// or
//   query.setSqlText("update versao set versao='0012';");
//   query.execSql(); transaction.commit();
// open() and execSql() attach the database and start the transaction when
// needed; neither ends the transaction. Errors are kelvo::Error (IbError for
// the server's). Not copyable or movable.
class IbQuery {
 public:
  // NAME prefixes the query's own errors ("IBQuery1: Field 'x' not found").
  explicit IbQuery(std::string name);
  ~IbQuery();
  IbQuery(const IbQuery&) = delete;
  IbQuery& operator=(const IbQuery&) = delete;

  const std::string& name() const { return name_; }
  void setDatabase(IbDatabase* database);
  IbDatabase* database() const { return database_; }
  void setTransaction(IbTransaction* transaction);
  IbTransaction* transaction() const { return transaction_; }

  // The statement's lines; the statement is their text joined by CR LF.
  std::vector<std::string>& sql() { return lines_; }
  // Closes the query, clears the lines, then adds TEXT as the one line.
  void setSqlText(std::string_view text);
  // Returns the statement text sent to the server.
  std::string sqlText() const;

  // Runs a statement that returns rows; the first row becomes current. Does
  // nothing when already active.
  void open();
  // Runs a statement that returns no rows (a result it yields is discarded).
  void execSql();
  // Discards the result; the transaction stays active.
  void close();
  // Returns true while a result is open.
  bool active() const;
  // Returns true when the current position is past the last row.
  bool eof() const { return eof_; }
  // Moves to the next row.
  void next();

  // Returns the field NAME (letter case ignored); raises "<name>: Field
  // 'NAME' not found" when the result has no such column.
  IbField fieldByName(std::string_view name) const;

 private:
  friend class IbField;
  IbStatement& prepareStatement();
  void requireActive() const;

  std::string name_;
  IbDatabase* database_ = nullptr;
  IbTransaction* transaction_ = nullptr;
  std::vector<std::string> lines_;
  std::unique_ptr<IbStatement> statement_;
  bool eof_ = true;
};

}  // namespace kelvo
