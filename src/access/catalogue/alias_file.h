// The alias registry kept in an INI-style text file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "access/catalogue/alias_registry.h"

namespace kelvo {

// One alias of the file: its name as written, its driver and its ordered
// parameter lines; PROBLEM, when not empty, says why it cannot be used
// ("PATH:LINE: what is wrong").
struct AliasEntry {
  std::string name;
  std::string driver;
  std::vector<std::string> params;
  std::string problem;
};

// The parsed contents of an alias file.
//
// Format: one section per alias ("[name]", a comment may follow it), then
// NAME=VALUE lines, blanks around the name and the value dropped. The line
// DRIVER=... names the driver (INTRBASE and MYSQL are server drivers,
// STANDARD the file-based one); every other line, in file order, is one
// parameter. For STANDARD aliases a TYPE line is left out of the parameters,
// as the engine does for its file-based aliases; a MYSQL alias may hold only
// the settings the catalogue connection knows. Blank lines and lines whose
// first non-blank character is ';' or '#' are ignored; lines end with CR LF,
// LF or a lone CR. Alias names are compared without regard to ASCII letter
// case, by their first 31 characters.
//
// A fault inside an alias (a malformed line, no DRIVER, a name defined twice)
// makes that alias unusable and leaves the others as they are.
class AliasFile {
 public:
  using Aliases = std::vector<AliasEntry>;

  // Returns the aliases of TEXT (UTF-8, an optional byte order mark); faults
  // are noted with ORIGIN and their line.
  static AliasFile parse(std::string_view text, const std::string& origin);

  // Returns the aliases of the file PATH; throws AliasError when it cannot
  // be read.
  static AliasFile load(const std::string& path);

  // Returns the alias that NAME selects (a faulty one included), or nothing.
  const AliasEntry* find(std::string_view name) const;

  const Aliases& aliases() const { return aliases_; }
  // Faults that belong to no alias (lines ahead of the first section, an
  // unnamed section), "PATH:LINE: what is wrong".
  const std::vector<std::string>& strayProblems() const { return stray_; }

 private:
  Aliases aliases_;
  std::vector<std::string> stray_;
};

// Returns the lookup key of an alias name: its first 31 characters, ASCII
// letters folded to upper case.
std::string aliasKey(std::string_view name);

// An AliasRegistry over one alias file, read on first use. A file that
// could not be read is tried again on the next use. GetAliasParams throws
// the alias's own fault for a faulty alias.
class AliasFileRegistry : public AliasRegistry {
 public:
  // Reads the file that aliasFilePath() names when it is first used.
  AliasFileRegistry() = default;
  explicit AliasFileRegistry(std::string path) : path_(std::move(path)) {}

  void GetAliasParams(std::string_view alias, std::vector<std::string>& list) override;

  // The file's path; empty until it is first used when none was given.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::optional<AliasFile> file_;
};

// Returns the absolute path of this machine's alias file: KELVOUPDATE_ALIASES
// when set, else defaultAliasFilePath(). The file is never looked for in the
// working folder: a relative KELVOUPDATE_ALIASES is refused. Throws
// AliasError saying what is missing when no absolute path results.
std::string aliasFilePath();

// Returns the platform's own place for the alias file: on POSIX
// $XDG_CONFIG_HOME/kelvoupdate/aliases.ini, else
// $HOME/.config/kelvoupdate/aliases.ini (a relative XDG_CONFIG_HOME or HOME
// is passed over); on Windows %ProgramData%\KelvoUpdate\aliases.ini. Throws
// AliasError when the variables name no absolute folder.
std::string defaultAliasFilePath();

}  // namespace kelvo
