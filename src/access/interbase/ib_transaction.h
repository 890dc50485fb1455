// A transaction on one client database.
#pragma once

#include <string>
#include <vector>

#include "access/interbase/ib_handles.h"

namespace kelvo {

class IbDatabase;
class IbStatement;

// A transaction that is started explicitly and stays active until it is
// committed or rolled back, or its database closes (which commits it).
// Not copyable or movable: statements and the database point at it.
class IbTransaction {
 public:
  IbTransaction() = default;
  // Rolls back quietly if still active.
  ~IbTransaction();
  IbTransaction(const IbTransaction&) = delete;
  IbTransaction& operator=(const IbTransaction&) = delete;

  // Sets the database this transaction runs on.
  void setDefaultDatabase(IbDatabase* database);
  IbDatabase* defaultDatabase() const { return database_; }

  // Parameter names of the start ("read_committed", "no_savepoint", ...);
  // none lets the server apply its defaults.
  std::vector<std::string>& params() { return params_; }

  // Returns true while the transaction is active.
  bool inTransaction() const { return static_cast<bool>(handle_); }

  // Starts the transaction; raises "Transaction is active" when it is, and
  // the library's error when its database is not connected.
  void startTransaction();
  // Starts the transaction unless it is active.
  void ensureStarted() {
    if (!inTransaction()) startTransaction();
  }
  // Closes every result open in it, then commits; raises "Transaction is
  // not active" when it is not. A failed commit leaves it active.
  void commit();
  // Closes every result open in it, then rolls back (same error).
  void rollback();
  // Commits and keeps the transaction active.
  void commitRetaining();
  // Rolls back and keeps the transaction active.
  void rollbackRetaining();

  // Returns the handle for library calls.
  isc_tr_handle* handle() { return handle_.get(); }

 private:
  friend class IbDatabase;
  friend class IbStatement;
  void addStatement(IbStatement* statement);
  void removeStatement(IbStatement* statement);
  void requireActive() const;
  void closeResults();
  void databaseGone();
  const IbClientApi& api() const;

  IbDatabase* database_ = nullptr;
  IbTransactionHandle handle_;
  std::vector<std::string> params_;
  std::vector<IbStatement*> statements_;
};

}  // namespace kelvo
