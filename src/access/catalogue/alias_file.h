// The alias registry kept in an INI-style text file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/catalogue/alias_registry.h"

namespace kelvo {

// One alias of the file: its name as written, its driver and its ordered
// parameter lines.
struct AliasEntry {
  std::string name;
  std::string driver;
  std::vector<std::string> params;
};

// The parsed contents of an alias file.
//
// Format: one section per alias ("[name]"), then NAME=VALUE lines. The line
// DRIVER=... names the driver (INTRBASE and MYSQL are server drivers,
// STANDARD the file-based one); every other line, in file order, is one
// parameter. For STANDARD aliases a TYPE line is left out of the parameters,
// as the engine does for its file-based aliases. Blank lines and lines whose
// first non-blank character is ';' or '#' are ignored. Alias names are
// compared without regard to ASCII letter case, by their first 31 characters.
class AliasFile {
 public:
  using Aliases = std::vector<AliasEntry>;

  // Returns the aliases of TEXT (UTF-8, an optional byte order mark).
  // Throws AliasError naming ORIGIN and the line for a malformed text.
  static AliasFile parse(std::string_view text, const std::string& origin);

  // Returns the aliases of the file PATH; throws AliasError when it cannot
  // be read or is malformed.
  static AliasFile load(const std::string& path);

  // Returns the alias that NAME selects, or nothing.
  const AliasEntry* find(std::string_view name) const;

  const Aliases& aliases() const { return aliases_; }

 private:
  Aliases aliases_;
};

// Returns the lookup key of an alias name: its first 31 characters, ASCII
// letters folded to upper case.
std::string aliasKey(std::string_view name);

// An AliasRegistry over one alias file, read on first use. A file that
// could not be read is tried again on the next use.
class AliasFileRegistry : public AliasRegistry {
 public:
  explicit AliasFileRegistry(std::string path) : path_(std::move(path)) {}

  void GetAliasParams(std::string_view alias, std::vector<std::string>& list) override;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::optional<AliasFile> file_;
};

// Returns the path of this machine's alias file: KELVOUPDATE_ALIASES when
// set, else $XDG_CONFIG_HOME/kelvoupdate/aliases.ini, else
// $HOME/.config/kelvoupdate/aliases.ini.
std::string aliasFilePath();

}  // namespace kelvo
