// A site's client databases: real embedded Firebird databases, each named
// by an alias section of the alias file, and what the tests read back.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kelvo::test {

class ClientDatabases {
 public:
  // New databases are created in FOLDER.
  explicit ClientDatabases(std::filesystem::path folder);

  // Creates a fresh dialect-1 database for ALIAS and returns its path.
  std::string addDatabase(const std::string& alias);
  // Adds ALIAS pointing at LOCATION without creating anything.
  void addAlias(const std::string& alias, const std::string& location);
  // Adds TEXT to the aliases as it stands (a malformed alias, say).
  void addAliasText(const std::string& text) { aliases_ += text; }
  // Returns the alias sections, in the order they were added.
  const std::string& aliasText() const { return aliases_; }

  // Returns the value of FIELD of every row of SQL on ALIAS's database;
  // throws when the alias names no database or the query fails.
  std::vector<std::string> column(const std::string& alias, const std::string& sql,
                                  const std::string& field = "V") const;
  // Returns every user table of ALIAS's database with its rows: "NAME:"
  // then each row's fields followed by "|", rows by ";", a table a line.
  std::string snapshot(const std::string& alias) const;

 private:
  // Returns the location ALIAS names; throws when it names none.
  const std::string& locationOf(const std::string& alias) const;

  std::filesystem::path folder_;
  std::string aliases_;
  std::vector<std::pair<std::string, std::string>> paths_;  // alias, location
};

}  // namespace kelvo::test
