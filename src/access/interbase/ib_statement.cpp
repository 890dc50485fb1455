// Prepare, execute and fetch of one statement, and the conversion of its
// column values to text and integers.
#include "access/interbase/ib_statement.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "access/interbase/ib_database.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_transaction.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/formats.h"
#include "platform/tdatetime.h"

namespace kelvo {

// The output descriptor and the buffers the library writes each row into.
struct IbStatement::Columns {
  std::vector<std::max_align_t> descriptor_storage;
  std::vector<std::vector<std::max_align_t>> data;
  std::vector<ISC_SHORT> indicators;

  XSQLDA* descriptor() { return reinterpret_cast<XSQLDA*>(descriptor_storage.data()); }
  const XSQLDA* descriptor() const {
    return reinterpret_cast<const XSQLDA*>(descriptor_storage.data());
  }

  void allocate(int count) {
    const std::size_t bytes = XSQLDA_LENGTH(count < 1 ? 1 : count);
    descriptor_storage.assign((bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t),
                              std::max_align_t{});
    XSQLDA* sqlda = descriptor();
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = static_cast<ISC_SHORT>(count < 1 ? 1 : count);
  }

  void bindBuffers() {
    XSQLDA* sqlda = descriptor();
    data.assign(static_cast<std::size_t>(sqlda->sqld), {});
    indicators.assign(static_cast<std::size_t>(sqlda->sqld), 0);
    for (int i = 0; i < sqlda->sqld; ++i) {
      XSQLVAR& var = sqlda->sqlvar[i];
      std::size_t bytes = static_cast<std::size_t>(var.sqllen);
      if ((var.sqltype & ~1) == SQL_VARYING) bytes += sizeof(ISC_SHORT);
      data[i].assign(bytes / sizeof(std::max_align_t) + 1, std::max_align_t{});
      var.sqldata = reinterpret_cast<ISC_SCHAR*>(data[i].data());
      var.sqlind = &indicators[i];
    }
  }
};

namespace {

constexpr int kInitialColumns = 16;
// Days from the client library's day zero (17 November 1858) to 30 December 1899.
constexpr int kDayZeroOffset = 15018;
constexpr double kTimeUnitsPerDay = 86400.0 * 10000.0;

// Returns the unscaled value of an integer column.
long long rawInteger(const XSQLVAR& var) {
  switch (var.sqltype & ~1) {
    case SQL_SHORT: {
      ISC_SHORT v;
      std::memcpy(&v, var.sqldata, sizeof v);
      return v;
    }
    case SQL_LONG: {
      ISC_LONG v;
      std::memcpy(&v, var.sqldata, sizeof v);
      return v;
    }
    default: {
      ISC_INT64 v;
      std::memcpy(&v, var.sqldata, sizeof v);
      return v;
    }
  }
}

double rawFloat(const XSQLVAR& var) {
  if ((var.sqltype & ~1) == SQL_FLOAT) {
    float v;
    std::memcpy(&v, var.sqldata, sizeof v);
    return v;
  }
  double v;
  std::memcpy(&v, var.sqldata, sizeof v);
  return v;
}

// Returns VALUE * 10^SCALE as decimal text with the regional decimal
// separator and without trailing zeros after it.
std::string scaledIntegerText(long long value, int scale) {
  const bool negative = value < 0;
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                : static_cast<unsigned long long>(value);
  std::string digits = std::to_string(magnitude);
  if (scale >= 0) {
    if (magnitude != 0) digits.append(static_cast<std::size_t>(scale), '0');
    return (negative ? "-" : "") + digits;
  }
  const std::size_t places = static_cast<std::size_t>(-scale);
  if (digits.size() <= places) digits.insert(0, places - digits.size() + 1, '0');
  std::string fraction = digits.substr(digits.size() - places);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::string text = (negative ? "-" : "") + digits.substr(0, digits.size() - places);
  if (!fraction.empty()) text += regionalSettings().decimalSeparator + fraction;
  return text;
}

std::string floatText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (const auto dot = text.find('.'); dot != std::string::npos) {
    text.replace(dot, 1, regionalSettings().decimalSeparator);
  }
  return text;
}

long long integerOfText(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  std::size_t last = text.find_last_not_of(' ');
  long long value = 0;
  if (first != std::string::npos) {
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc() && result.ptr == end && begin != end) return value;
  }
  throw Error("'" + text + "' is not a valid integer value");
}

}  // namespace

IbStatement::IbStatement(IbDatabase& database, IbTransaction& transaction)
    : database_(&database), transaction_(&transaction), handle_(&database.api()) {
  database_->addStatement(this);
  transaction_->addStatement(this);
}

IbStatement::~IbStatement() {
  handle_.reset();
  if (database_ != nullptr) database_->removeStatement(this);
  if (transaction_ != nullptr) transaction_->removeStatement(this);
}

void IbStatement::databaseGone() {
  handle_.reset();
  prepared_ = result_open_ = cursor_open_ = singleton_pending_ = false;
  database_ = nullptr;
}

void IbStatement::transactionGone() {
  // The transaction's end already closed the server's cursor.
  cursor_open_ = result_open_ = singleton_pending_ = false;
  transaction_ = nullptr;
}

// Returns SQL in the ANSI code page. The library reads the text up to a NUL:
// what follows one would be silently cut off, and a shortened statement may
// do something else, so such a text is refused.
static std::string statementText(std::string_view sql) {
  std::string text = utf8ToAnsi(sql);
  if (text.find('\0') != std::string::npos) {
    throw Error("Statement text holds a NUL character: " + std::string(sql));
  }
  return text;
}

void executeImmediate(IbDatabase& database, IbTransaction& transaction, std::string_view sql) {
  const std::string text = statementText(sql);
  const IbClientApi& api = database.api();
  ISC_STATUS_ARRAY status{};
  api.isc_dsql_execute_immediate(status, database.handle(), transaction.handle(), 0, text.c_str(),
                                 static_cast<unsigned short>(database.sqlDialect()), nullptr);
  checkIbStatus(api, status);
}

void IbStatement::prepare(std::string_view sql) {
  if (database_ == nullptr || transaction_ == nullptr) {
    throw Error("Statement has no database or transaction");
  }
  close();
  const std::string text = statementText(sql);
  const IbClientApi& api = database_->api();
  ISC_STATUS_ARRAY status{};
  if (!handle_) {
    api.isc_dsql_allocate_statement(status, database_->handle(), handle_.get());
    if (ibFailed(status)) {
      handle_.forget();
      raiseIbError(api, status);
    }
  }
  if (!columns_) columns_ = std::make_unique<Columns>();
  columns_->allocate(kInitialColumns);
  prepared_ = false;
  api.isc_dsql_prepare(status, transaction_->handle(), handle_.get(), 0, text.c_str(),
                       static_cast<unsigned short>(database_->sqlDialect()),
                       columns_->descriptor());
  checkIbStatus(api, status);
  describeOutput();
  type_ = readStatementType();
  refuseInputParameters(sql);
  prepared_ = true;
}

void IbStatement::describeOutput() {
  const IbClientApi& api = database_->api();
  const int needed = columns_->descriptor()->sqld;
  if (needed > columns_->descriptor()->sqln) {
    columns_->allocate(needed);
    ISC_STATUS_ARRAY status{};
    api.isc_dsql_describe(status, handle_.get(), SQLDA_VERSION1, columns_->descriptor());
    checkIbStatus(api, status);
  }
  columns_->bindBuffers();
}

int IbStatement::readStatementType() {
  const IbClientApi& api = database_->api();
  const char items[] = {isc_info_sql_stmt_type};
  char buffer[16] = {};
  ISC_STATUS_ARRAY status{};
  api.isc_dsql_sql_info(status, handle_.get(), sizeof items, items, sizeof buffer, buffer);
  checkIbStatus(api, status);
  if (buffer[0] != isc_info_sql_stmt_type) return 0;
  const int length =
      static_cast<unsigned char>(buffer[1]) | (static_cast<unsigned char>(buffer[2]) << 8);
  int value = 0;
  for (int i = 0; i < length && i < 4; ++i) {
    value |= static_cast<unsigned char>(buffer[3 + i]) << (8 * i);
  }
  return value;
}

void IbStatement::refuseInputParameters(std::string_view sql) {
  const IbClientApi& api = database_->api();
  Columns input;
  input.allocate(1);
  ISC_STATUS_ARRAY status{};
  api.isc_dsql_describe_bind(status, handle_.get(), SQLDA_VERSION1, input.descriptor());
  checkIbStatus(api, status);
  if (input.descriptor()->sqld > 0) {
    throw Error("Statement has input parameters, which are never supplied: " + std::string(sql));
  }
}

bool IbStatement::returnsRows() const {
  return prepared_ && columns_->descriptor()->sqld > 0 &&
         (type_ == isc_info_sql_stmt_select || type_ == isc_info_sql_stmt_select_for_upd ||
          type_ == isc_info_sql_stmt_exec_procedure);
}

void IbStatement::execute() {
  if (!prepared_) throw Error("Statement is not prepared");
  if (transaction_ == nullptr) throw Error("Statement has no transaction");
  close();
  const IbClientApi& api = database_->api();
  const auto dialect = static_cast<unsigned short>(database_->sqlDialect());
  ISC_STATUS_ARRAY status{};
  if (type_ == isc_info_sql_stmt_exec_procedure && columns_->descriptor()->sqld > 0) {
    api.isc_dsql_execute2(status, transaction_->handle(), handle_.get(), dialect, nullptr,
                          columns_->descriptor());
    checkIbStatus(api, status);
    result_open_ = singleton_pending_ = true;
    return;
  }
  api.isc_dsql_execute(status, transaction_->handle(), handle_.get(), dialect, nullptr);
  checkIbStatus(api, status);
  if (returnsRows()) result_open_ = cursor_open_ = true;
}

bool IbStatement::fetch() {
  if (!result_open_) throw Error("Statement has no open result");
  if (singleton_pending_) {
    singleton_pending_ = false;
    return true;
  }
  if (!cursor_open_) return false;
  const IbClientApi& api = database_->api();
  ISC_STATUS_ARRAY status{};
  const ISC_STATUS result =
      api.isc_dsql_fetch(status, handle_.get(), SQLDA_VERSION1, columns_->descriptor());
  if (result == 100) return false;
  checkIbStatus(api, status);
  return true;
}

void IbStatement::close() {
  singleton_pending_ = false;
  result_open_ = false;
  if (!cursor_open_) return;
  cursor_open_ = false;
  const IbClientApi& api = database_->api();
  ISC_STATUS_ARRAY status{};
  api.isc_dsql_free_statement(status, handle_.get(), DSQL_close);
  checkIbStatus(api, status);
}

void IbStatement::release() {
  close();
  prepared_ = false;
  if (!handle_) return;
  const IbClientApi& api = database_->api();
  ISC_STATUS_ARRAY status{};
  api.isc_dsql_free_statement(status, handle_.get(), DSQL_drop);
  checkIbStatus(api, status);
  handle_.forget();
}

std::size_t IbStatement::columnCount() const {
  return prepared_ ? static_cast<std::size_t>(columns_->descriptor()->sqld) : 0;
}

std::string IbStatement::columnName(std::size_t column) const {
  const XSQLVAR& var = columns_->descriptor()->sqlvar[column];
  return ansiToUtf8(
      std::string_view(var.aliasname, static_cast<std::size_t>(var.aliasname_length)));
}

std::optional<std::size_t> IbStatement::findColumn(std::string_view name) const {
  const std::string wanted = upperAscii(utf8ToAnsi(name));
  for (std::size_t i = 0; i < columnCount(); ++i) {
    const XSQLVAR& var = columns_->descriptor()->sqlvar[i];
    const std::string_view alias(var.aliasname, static_cast<std::size_t>(var.aliasname_length));
    if (upperAscii(alias) == wanted) return i;
  }
  return std::nullopt;
}

bool IbStatement::isNull(std::size_t column) const {
  const XSQLVAR& var = columns_->descriptor()->sqlvar[column];
  return (var.sqltype & 1) != 0 && *var.sqlind < 0;
}

std::string IbStatement::asString(std::size_t column) const {
  if (isNull(column)) return {};
  const XSQLVAR& var = columns_->descriptor()->sqlvar[column];
  const char* data = var.sqldata;
  switch (var.sqltype & ~1) {
    case SQL_TEXT:
      return ansiToUtf8(std::string_view(data, static_cast<std::size_t>(var.sqllen)));
    case SQL_VARYING: {
      ISC_SHORT length = 0;
      std::memcpy(&length, data, sizeof length);
      return ansiToUtf8(std::string_view(data + sizeof length, static_cast<std::size_t>(length)));
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
      return scaledIntegerText(rawInteger(var), var.sqlscale);
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      return floatText(rawFloat(var));
    case SQL_TIMESTAMP: {
      ISC_TIMESTAMP v;
      std::memcpy(&v, data, sizeof v);
      const double days = v.timestamp_date - kDayZeroOffset + v.timestamp_time / kTimeUnitsPerDay;
      return formatDateTime("c", TDateTime(days), regionalSettings());
    }
    case SQL_TYPE_DATE: {
      ISC_DATE v;
      std::memcpy(&v, data, sizeof v);
      return formatDateTime("ddddd", TDateTime(v - kDayZeroOffset), regionalSettings());
    }
    case SQL_TYPE_TIME: {
      ISC_TIME v;
      std::memcpy(&v, data, sizeof v);
      return formatDateTime("tt", TDateTime(v / kTimeUnitsPerDay), regionalSettings());
    }
    case SQL_BOOLEAN:
      return *reinterpret_cast<const unsigned char*>(data) != 0 ? "True" : "False";
    default:
      throw Error("Field '" + columnName(column) + "' cannot be read as text");
  }
}

long long IbStatement::asInteger(std::size_t column) const {
  if (isNull(column)) return 0;
  const XSQLVAR& var = columns_->descriptor()->sqlvar[column];
  switch (var.sqltype & ~1) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
      long long raw = rawInteger(var);
      if (var.sqlscale >= 0) {
        for (int i = 0; i < var.sqlscale; ++i) raw *= 10;
        return raw;
      }
      double divisor = 1;
      for (int i = 0; i < -var.sqlscale; ++i) divisor *= 10;
      return std::llround(static_cast<double>(raw) / divisor);
    }
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      return std::llround(rawFloat(var));
    default:
      return integerOfText(asString(column));
  }
}

}  // namespace kelvo
