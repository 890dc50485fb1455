// The client database's schema version, kept in the one-row table VERSAO.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "access/interbase/ib_query.h"

namespace kelvo {

// The version a database gets when the table is created on first contact.
inline constexpr const char* kBootstrapVersion = "0";

// The most characters the column VERSAO holds.
inline constexpr std::size_t kVersionLength = 10;

// Returns why VERSION cannot be kept in VERSAO as it stands (more than
// kVersionLength characters, or characters the ANSI code page lacks), or
// nothing when it can.
std::optional<std::string> versionProblem(std::string_view version);

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

  // Sets the version as recordVersion() does, inside TRANSACTION (a
  // script's data transaction on the same database), without committing:
  // the script's data and its version then commit together.
  void recordVersionIn(IbTransaction& transaction, std::string_view version);

 private:
  // Runs STATEMENT, which returns no rows, and commits.
  void executeAndCommit(const std::string& statement);
  IbTransaction& transaction();
  // Returns true when the table and its column exist.
  bool hasVersionTable();
  // Returns the first row's version (empty text without one).
  std::string selectVersion();
  // Sets every row's version to VERSION in the query's transaction, adding
  // the row an empty table lacks; commits each step when COMMIT is set.
  void writeVersion(std::string_view version, bool commit);

  IbQuery& query_;
};

}  // namespace kelvo
