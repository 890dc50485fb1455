// Reads the INI-style alias file and answers alias lookups from it.
#include "access/catalogue/alias_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "access/catalogue/catalog_settings.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/native_path.h"
#include "platform/text_lines.h"

namespace kelvo {

namespace {

// Returns the name part of a parameter line (before the first '=').
std::string_view paramName(std::string_view line) { return line.substr(0, line.find('=')); }

bool isComment(std::string_view text) {
  return !text.empty() && (text.front() == ';' || text.front() == '#');
}

class Parser {
 public:
  explicit Parser(const std::string& origin) : origin_(origin) {}

  void run(std::string_view text, AliasFile::Aliases& aliases, std::vector<std::string>& stray) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    for (const std::string_view line : splitLines(text)) {
      ++line_number_;
      readLine(trimBlanksAndTabs(line));
    }
    finishAlias();
    markDuplicates();
    aliases = std::move(aliases_);
    stray = std::move(stray_);
  }

 private:
  std::string at(std::size_t line, const std::string& message) const {
    return origin_ + ":" + std::to_string(line) + ": " + message;
  }

  // Notes a fault of the current alias; its first fault is the one reported.
  void complain(const std::string& message, std::size_t line) {
    std::string& problem = aliases_.back().problem;
    if (problem.empty()) problem = at(line, message);
  }

  void readLine(std::string_view line) {
    if (line.empty() || isComment(line)) return;
    if (line.front() == '[') {
      readSection(line);
    } else {
      readParam(line);
    }
  }

  void readSection(std::string_view line) {
    finishAlias();
    in_alias_ = false;
    stray_noted_ = false;
    const auto close = line.find(']');
    const std::string_view name = trimBlanksAndTabs(
        close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1));
    if (name.empty()) {
      // Its lines belong to no alias; they are passed over with this note.
      stray_.push_back(at(line_number_, "empty alias name"));
      stray_noted_ = true;
      return;
    }
    aliases_.push_back(AliasEntry{std::string(name), {}, {}, {}});
    alias_lines_.push_back(line_number_);
    param_lines_.clear();
    driver_line_ = 0;
    in_alias_ = true;
    if (close == std::string_view::npos) {
      complain("section header without closing ']'", line_number_);
      return;
    }
    const std::string_view rest = trimBlanksAndTabs(line.substr(close + 1));
    if (!rest.empty() && !isComment(rest)) {
      complain("unexpected '" + std::string(rest) + "' after the section header", line_number_);
    }
  }

  void readParam(std::string_view line) {
    if (!in_alias_) {
      // One note for a run of such lines is enough.
      if (!stray_noted_) {
        stray_.push_back(
            at(line_number_, "'" + std::string(line) + "' is outside any alias section"));
      }
      stray_noted_ = true;
      return;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      complain("expected NAME=VALUE, found '" + std::string(line) + "'", line_number_);
      return;
    }
    const std::string_view name = trimBlanksAndTabs(line.substr(0, equals));
    const std::string_view value = trimBlanksAndTabs(line.substr(equals + 1));
    if (name.empty()) {
      complain("parameter without a name: '" + std::string(line) + "'", line_number_);
      return;
    }
    AliasEntry& alias = aliases_.back();
    if (upperAscii(name) == "DRIVER") {
      if (driver_line_ != 0) {
        complain("alias '" + alias.name + "' names its driver twice (first at line " +
                     std::to_string(driver_line_) + ")",
                 line_number_);
      } else if (value.empty()) {
        complain("empty DRIVER of alias '" + alias.name + "'", line_number_);
      }
      if (driver_line_ == 0) alias.driver = upperAscii(value);
      driver_line_ = line_number_;
      return;
    }
    alias.params.push_back(std::string(name) + "=" + std::string(value));
    param_lines_.push_back(line_number_);
  }

  // Checks the alias read last and drops what its driver keeps out of the list.
  void finishAlias() {
    if (!in_alias_) return;
    AliasEntry& alias = aliases_.back();
    if (alias.driver.empty() && driver_line_ == 0) {
      complain("alias '" + alias.name + "' has no DRIVER line", alias_lines_.back());
    }
    if (alias.driver == "MYSQL") {
      // A misspelt setting would otherwise connect with a default instead.
      for (std::size_t i = 0; i < alias.params.size(); ++i) {
        const std::string_view name = paramName(alias.params[i]);
        if (!isCatalogSetting(name)) {
          complain("unknown setting '" + std::string(name) + "' of the catalogue alias '" +
                       alias.name +
                       "' (known: SERVER NAME, PORT, DATABASE NAME, USER NAME, PASSWORD, "
                       "SOCKET, CONNECT TIMEOUT, TLS, TLS CA FILE)",
                   param_lines_[i]);
        }
      }
    }
    if (alias.driver == "STANDARD") {
      std::erase_if(alias.params, [](const std::string& param) {
        return upperAscii(paramName(param)) == "TYPE";
      });
    }
  }

  // A name defined twice is ambiguous: every section of that name is faulty.
  void markDuplicates() {
    for (std::size_t i = 0; i < aliases_.size(); ++i) {
      std::string lines;
      std::size_t count = 0;
      const std::string key = aliasKey(aliases_[i].name);
      for (std::size_t j = 0; j < aliases_.size(); ++j) {
        if (aliasKey(aliases_[j].name) != key) continue;
        lines += (count++ == 0 ? "" : ", ") + std::to_string(alias_lines_[j]);
      }
      if (count > 1) {
        aliases_[i].problem =
            at(alias_lines_[i],
               "alias '" + aliases_[i].name + "' is defined more than once (lines " + lines + ")");
      }
    }
  }

  const std::string& origin_;
  AliasFile::Aliases aliases_;
  std::vector<std::string> stray_;
  std::vector<std::size_t> alias_lines_;
  std::vector<std::size_t> param_lines_;
  std::size_t driver_line_ = 0;
  std::size_t line_number_ = 0;
  bool in_alias_ = false;
  bool stray_noted_ = false;
};

}  // namespace

std::string aliasKey(std::string_view name) {
  return upperAscii(utf8Characters(name, 0, kAliasNameLength));
}

AliasFile AliasFile::parse(std::string_view text, const std::string& origin) {
  AliasFile file;
  Parser(origin).run(text, file.aliases_, file.stray_);
  return file;
}

AliasFile AliasFile::load(const std::string& path) {
  std::ifstream in(filePath(path), std::ios::binary);
  if (!in) {
    throw AliasError("Cannot read the alias file " + path + ": " + std::strerror(errno));
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    throw AliasError("Cannot read the alias file " + path + ": " + std::strerror(errno));
  }
  return parse(text.str(), path);
}

const AliasEntry* AliasFile::find(std::string_view name) const {
  const std::string key = aliasKey(name);
  for (const AliasEntry& alias : aliases_) {
    if (aliasKey(alias.name) == key) return &alias;
  }
  return nullptr;
}

void AliasFileRegistry::GetAliasParams(std::string_view alias, std::vector<std::string>& list) {
  list.clear();
  if (!file_) {
    if (path_.empty()) path_ = aliasFilePath();
    file_ = AliasFile::load(path_);
  }
  const AliasEntry* entry = file_->find(alias);
  if (entry == nullptr) {
    // A stray line may be the alias whose header went missing.
    std::string message = "Unknown alias '" + std::string(alias) + "' (alias file " + path_ + ")";
    for (const std::string& problem : file_->strayProblems()) message += "\n" + problem;
    throw AliasError(message);
  }
  if (!entry->problem.empty()) throw AliasError(entry->problem);
  list = entry->params;
}

std::string aliasFilePath() {
  // The working folder is filled from the update server: a file placed there
  // must never choose the catalogue.
  if (std::string path = environmentVariable("KELVOUPDATE_ALIASES"); !path.empty()) {
    if (!std::filesystem::path(path).is_absolute()) {
      throw AliasError("KELVOUPDATE_ALIASES must name the alias file by an absolute path, not '" +
                       path + "'");
    }
    return path;
  }
  return defaultAliasFilePath();
}

}  // namespace kelvo
