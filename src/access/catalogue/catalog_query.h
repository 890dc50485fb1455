// A catalogue query (Query2, Query3): a statement run on the central
// catalogue connection and a cursor over its rows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct st_mysql_res;

namespace kelvo {

class CatalogDatabase;
class CatalogQuery;

// One column of an open query, read from the query's current row.
class CatalogField {
 public:
  // Returns the column's name as the server reports it.
  const std::string& name() const;

  // Returns true when the current row holds null (or there is no row).
  bool isNull() const;

  // Returns the value as text (UTF-8); null reads as empty text. Binary
  // columns hold ANSI code page bytes and are converted.
  std::string asString() const;

  // Returns the stored bytes unconverted; null reads as empty.
  std::string asBytes() const;

  // Returns the value as an integer; null reads as 0. Throws kelvo::Error
  // "'%s' is not a valid integer value" for text that is not one.
  std::int64_t asInteger() const;

 private:
  friend class CatalogQuery;
  CatalogField(const CatalogQuery& query, std::size_t column) : query_(&query), column_(column) {}

  const std::optional<std::string>& value() const;

  const CatalogQuery* query_;
  std::size_t column_;
};

class CatalogQuery {
 public:
  // A closed query named NAME (used in its error texts) on DATABASE.
  CatalogQuery(CatalogDatabase& database, std::string name);
  ~CatalogQuery();
  CatalogQuery(const CatalogQuery&) = delete;
  CatalogQuery& operator=(const CatalogQuery&) = delete;

  const std::string& name() const { return name_; }

  // Returns the statement's lines; they are joined with line breaks to run.
  std::vector<std::string>& sql() { return sql_; }

  // Closes the query, clears the statement's lines and adds STATEMENT as the
  // only line.
  void setStatement(std::string_view statement);

  // Runs the statement (opening the connection when needed); the first row
  // becomes current. Does nothing when the query is open. Throws CatalogError
  // when the server rejects the statement, kelvo::Error when it returns no
  // result set.
  void open();

  // Returns true while the query is open.
  bool active() const { return active_; }

  // Returns true when the cursor is past the last row (at once for an empty
  // result).
  bool eof() const { return eof_; }

  // Makes the following row current. Past the last row eof() becomes true and
  // the last row stays current.
  void next();

  // Returns the column NAME (letter case ignored). Throws kelvo::Error
  // "<query name>: Field '<NAME>' not found" when the result has no such
  // column, or when the query is closed.
  CatalogField fieldByName(std::string_view name) const;

  // Discards the result.
  void close();

 private:
  friend class CatalogField;
  friend class CatalogDatabase;
  using Row = std::vector<std::optional<std::string>>;
  struct Column {
    std::string name;
    bool binary = false;
    bool fractional = false;
  };

  struct ResultFree {
    void operator()(st_mysql_res* result) const;
  };

  void requireActive() const;
  bool fetch();

  CatalogDatabase* database_;
  std::string name_;
  std::vector<std::string> sql_;
  bool active_ = false;
  bool eof_ = true;
  std::vector<Column> columns_;
  std::unique_ptr<st_mysql_res, ResultFree> result_;
  Row row_;
};

}  // namespace kelvo
