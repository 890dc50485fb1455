// The client database's schema version, kept in the one-row table VERSAO.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "access/interbase/ib_query.h"

namespace kelvo {

// The version a database gets when the table is created on first contact.
inline constexpr const char* kBootstrapVersion = "0";

// Reads and records the version through a client query (IBQuery1) and its
// transaction; the client database must be set on the query's connection.
class VersionStore {
 public:
  explicit VersionStore(IbQuery& query) : query_(query) {}

  // Returns the version of the last script applied. A database without the
  // table gets it, holding '0', first. An empty table (or a null) reads as
  // empty text.
  std::string readVersion();

  // Returns the version as readVersion() would, without creating anything:
  // nothing when the table is missing (readVersion() would create it,
  // holding kBootstrapVersion).
  std::optional<std::string> existingVersion();

  // Sets the version of every row to VERSION and commits; an empty table
  // gets one row holding VERSION.
  void recordVersion(std::string_view version);

 private:
  // Runs STATEMENT, which returns no rows, and commits.
  void executeAndCommit(const std::string& statement);
  IbTransaction& transaction();
  // Returns true when the table and its column exist.
  bool hasVersionTable();
  // Returns the first row's version (empty text without one).
  std::string selectVersion();

  IbQuery& query_;
};

}  // namespace kelvo
