// Move-only owners of the client library's handles. Each destructor releases
// its handle quietly: a destructor has no caller to report a failure to, and
// the orderly paths (close, commit, free) report theirs before it runs.
#pragma once

#include <utility>

#include "access/interbase/ib_client_library.h"

namespace kelvo {

// Shared shape of the owners: RELEASE frees a live handle.
template <typename Handle, void (*Release)(const IbClientApi&, Handle&)>
class IbHandle {
 public:
  IbHandle() = default;
  explicit IbHandle(const IbClientApi* api) : api_(api) {}
  ~IbHandle() { reset(); }
  IbHandle(const IbHandle&) = delete;
  IbHandle& operator=(const IbHandle&) = delete;
  IbHandle(IbHandle&& other) noexcept
      : api_(other.api_), handle_(std::exchange(other.handle_, Handle{})) {}
  IbHandle& operator=(IbHandle&& other) noexcept {
    if (this != &other) {
      reset();
      api_ = other.api_;
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }

  // Returns the address the library writes a new handle to or reads it from.
  Handle* get() { return &handle_; }
  // Returns true while a handle is held.
  explicit operator bool() const { return handle_ != Handle{}; }
  // Forgets the handle without releasing it (the library already did).
  void forget() { handle_ = Handle{}; }
  // Releases the handle quietly, if any.
  void reset() noexcept {
    if (api_ != nullptr && handle_ != Handle{}) Release(*api_, handle_);
    handle_ = Handle{};
  }

 private:
  const IbClientApi* api_ = nullptr;
  Handle handle_{};
};

namespace ib_release {
inline void detach(const IbClientApi& api, isc_db_handle& handle) {
  ISC_STATUS_ARRAY status{};
  api.isc_detach_database(status, &handle);
}
inline void rollback(const IbClientApi& api, isc_tr_handle& handle) {
  ISC_STATUS_ARRAY status{};
  api.isc_rollback_transaction(status, &handle);
}
inline void drop(const IbClientApi& api, isc_stmt_handle& handle) {
  ISC_STATUS_ARRAY status{};
  api.isc_dsql_free_statement(status, &handle, DSQL_drop);
}
inline void detachService(const IbClientApi& api, isc_svc_handle& handle) {
  ISC_STATUS_ARRAY status{};
  api.isc_service_detach(status, &handle);
}
}  // namespace ib_release

// An attachment; released by detaching.
using IbDatabaseHandle = IbHandle<isc_db_handle, ib_release::detach>;
// A transaction; released by rolling it back, so nothing unfinished is kept.
using IbTransactionHandle = IbHandle<isc_tr_handle, ib_release::rollback>;
// A statement; released by dropping it.
using IbStatementHandle = IbHandle<isc_stmt_handle, ib_release::drop>;
// A service manager attachment; released by detaching, which also ends a
// service still running on it.
using IbServiceHandle = IbHandle<isc_svc_handle, ib_release::detachService>;

}  // namespace kelvo
