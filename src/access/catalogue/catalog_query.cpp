// Running a catalogue statement and walking its rows.
#include "access/catalogue/catalog_query.h"

#include <errmsg.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "access/catalogue/catalog_client_library.h"
#include "access/catalogue/catalog_database.h"
#include "access/catalogue/catalog_error.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"

namespace kelvo {

namespace {

bool isFractional(enum_field_types type) {
  return type == MYSQL_TYPE_DECIMAL || type == MYSQL_TYPE_NEWDECIMAL || type == MYSQL_TYPE_FLOAT ||
         type == MYSQL_TYPE_DOUBLE;
}

// Binary columns (blobs, binary strings) carry charset number 63; their
// bytes are the ANSI code page's, as the maker stores script texts.
constexpr unsigned kBinaryCharset = 63;

[[noreturn]] void notAnInteger(const std::string& text) {
  throw Error("'" + text + "' is not a valid integer value");
}

std::int64_t parseInteger(const std::string& text) {
  std::string_view digits(text);
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t'))
    digits.remove_prefix(1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    notAnInteger(text);
  }
  return value;
}

}  // namespace

const std::string& CatalogField::name() const { return query_->columns_[column_].name; }

const std::optional<std::string>& CatalogField::value() const {
  query_->requireActive();
  static const std::optional<std::string> kNull;
  return query_->row_.empty() ? kNull : query_->row_[column_];
}

bool CatalogField::isNull() const { return !value().has_value(); }

std::string CatalogField::asBytes() const { return value().value_or(std::string()); }

std::string CatalogField::asString() const {
  const auto& stored = value();
  if (!stored) return {};
  return query_->columns_[column_].binary ? ansiToUtf8(*stored) : *stored;
}

std::int64_t CatalogField::asInteger() const {
  const auto& stored = value();
  if (!stored) return 0;
  if (query_->columns_[column_].fractional) {
    char* end = nullptr;
    const double number = std::strtod(stored->c_str(), &end);
    if (end == stored->c_str()) notAnInteger(*stored);
    // Ties go to the even neighbour, as the default rounding mode does.
    return static_cast<std::int64_t>(std::nearbyint(number));
  }
  return parseInteger(*stored);
}

void CatalogQuery::ResultFree::operator()(st_mysql_res* result) const {
  catalogClient().mysql_free_result(result);
}

CatalogQuery::CatalogQuery(CatalogDatabase& database, std::string name)
    : database_(&database), name_(std::move(name)) {
  database_->attach(this);
}

CatalogQuery::~CatalogQuery() {
  if (database_ != nullptr) database_->detach(this);
}

void CatalogQuery::setStatement(std::string_view statement) {
  // A result left open by an earlier caller belongs to the old statement;
  // keeping it would make the next open() a no-op that reads stale rows.
  close();
  sql_.clear();
  sql_.emplace_back(statement);
}

namespace {

// Returns the error of the call on HANDLE that began at START. A call that
// lost its server after waiting the whole read limit is the server's
// silence, and says so with the server and the wait.
CatalogError callError(MYSQL* handle, const CatalogSettings& settings,
                       std::chrono::steady_clock::time_point start) {
  const CatalogClientApi& client = catalogClient();
  const unsigned code = client.mysql_errno(handle);
  const auto waited = std::chrono::steady_clock::now() - start;
  if (code == CR_SERVER_LOST && settings.read_timeout > 0 &&
      waited >= std::chrono::seconds(settings.read_timeout)) {
    const std::string host = settings.host.empty() ? "localhost" : settings.host;
    return CatalogError("O servidor MySQL " + host + ":" +
                            std::to_string(settings.port == 0 ? 3306 : settings.port) +
                            " não respondeu em " + std::to_string(settings.read_timeout) + " s.",
                        code);
  }
  return CatalogError(client.mysql_error(handle), code);
}

}  // namespace

void CatalogQuery::open() {
  if (active_) return;
  if (database_ == nullptr) throw Error(name_ + ": the catalogue connection no longer exists");
  std::string statement;
  for (const std::string& line : sql_) {
    if (!statement.empty()) statement += '\n';
    statement += line;
  }
  MYSQL* handle = database_->handle();
  const auto start = std::chrono::steady_clock::now();
  const CatalogClientApi& client = catalogClient();
  if (client.mysql_real_query(handle, statement.data(), statement.size()) != 0) {
    throw callError(handle, database_->settings(), start);
  }
  std::unique_ptr<st_mysql_res, ResultFree> result(client.mysql_store_result(handle));
  if (!result) {
    if (client.mysql_errno(handle) != 0) throw callError(handle, database_->settings(), start);
    throw Error(name_ + ": the statement returned no rows to read");
  }
  columns_.clear();
  const unsigned count = client.mysql_num_fields(result.get());
  const MYSQL_FIELD* fields = client.mysql_fetch_fields(result.get());
  for (unsigned i = 0; i < count; ++i) {
    columns_.push_back(Column{std::string(fields[i].name, fields[i].name_length),
                              fields[i].charsetnr == kBinaryCharset, isFractional(fields[i].type)});
  }
  result_ = std::move(result);
  row_.clear();
  active_ = true;
  eof_ = !fetch();
}

bool CatalogQuery::fetch() {
  const CatalogClientApi& client = catalogClient();
  MYSQL_ROW row = client.mysql_fetch_row(result_.get());
  if (row == nullptr) return false;
  const unsigned long* lengths = client.mysql_fetch_lengths(result_.get());
  row_.assign(columns_.size(), std::nullopt);
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (row[i] != nullptr) row_[i].emplace(row[i], lengths[i]);
  }
  return true;
}

void CatalogQuery::next() {
  requireActive();
  if (!eof_) eof_ = !fetch();
}

CatalogField CatalogQuery::fieldByName(std::string_view name) const {
  for (std::size_t i = 0; i < columns_.size() && active_; ++i) {
    if (equalsNoCase(columns_[i].name, name)) return CatalogField(*this, i);
  }
  throw Error(name_ + ": Field '" + std::string(name) + "' not found");
}

void CatalogQuery::close() {
  result_.reset();
  columns_.clear();
  row_.clear();
  active_ = false;
  eof_ = true;
}

void CatalogQuery::requireActive() const {
  if (!active_) throw Error(name_ + ": Cannot perform this operation on a closed dataset");
}

}  // namespace kelvo
