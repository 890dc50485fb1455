// Reads the INI-style alias file and answers alias lookups from it.
#include "access/catalogue/alias_file.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/codepage.h"
#include "platform/files.h"

namespace kelvo {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string upperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Splits the text of one parameter line into its name (before the first
// '=') and value.
std::string_view paramName(std::string_view line) { return line.substr(0, line.find('=')); }

class Parser {
 public:
  explicit Parser(const std::string& origin) : origin_(origin) {}

  AliasFile::Aliases run(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t start = 0;
    while (start <= text.size()) {
      ++line_number_;
      auto end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      readLine(trim(line));
      start = end + 1;
    }
    finishAlias();
    return std::move(aliases_);
  }

 private:
  [[noreturn]] void fail(const std::string& message, std::size_t line) const {
    throw AliasError(origin_ + ":" + std::to_string(line) + ": " + message);
  }

  void readLine(std::string_view line) {
    if (line.empty() || line.front() == ';' || line.front() == '#') return;
    if (line.front() == '[') {
      readSection(line);
    } else {
      readParam(line);
    }
  }

  void readSection(std::string_view line) {
    if (line.back() != ']') fail("section header without closing ']'", line_number_);
    const std::string_view name = trim(line.substr(1, line.size() - 2));
    if (name.empty()) fail("empty alias name", line_number_);
    finishAlias();
    const std::string key = aliasKey(name);
    for (std::size_t i = 0; i < aliases_.size(); ++i) {
      if (aliasKey(aliases_[i].name) == key) {
        fail("alias '" + std::string(name) + "' is defined twice (first at line " +
                 std::to_string(alias_lines_[i]) + ")",
             line_number_);
      }
    }
    aliases_.push_back(AliasEntry{std::string(name), {}, {}});
    alias_lines_.push_back(line_number_);
    driver_line_ = 0;
  }

  void readParam(std::string_view line) {
    if (aliases_.empty())
      fail("'" + std::string(line) + "' is outside any alias section", line_number_);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      fail("expected NAME=VALUE, found '" + std::string(line) + "'", line_number_);
    }
    if (equals == 0) fail("parameter without a name: '" + std::string(line) + "'", line_number_);
    AliasEntry& alias = aliases_.back();
    if (upperAscii(trim(line.substr(0, equals))) == "DRIVER") {
      if (driver_line_ != 0) {
        fail("alias '" + alias.name + "' names its driver twice (first at line " +
                 std::to_string(driver_line_) + ")",
             line_number_);
      }
      alias.driver = upperAscii(trim(line.substr(equals + 1)));
      if (alias.driver.empty()) fail("empty DRIVER of alias '" + alias.name + "'", line_number_);
      driver_line_ = line_number_;
      return;
    }
    alias.params.emplace_back(line);
  }

  // Checks the alias read last and drops what its driver keeps out of the list.
  void finishAlias() {
    if (aliases_.empty()) return;
    AliasEntry& alias = aliases_.back();
    if (alias.driver.empty())
      fail("alias '" + alias.name + "' has no DRIVER line", alias_lines_.back());
    if (alias.driver == "STANDARD") {
      std::erase_if(alias.params, [](const std::string& param) {
        return upperAscii(trim(paramName(param))) == "TYPE";
      });
    }
  }

  const std::string& origin_;
  AliasFile::Aliases aliases_;
  std::vector<std::size_t> alias_lines_;
  std::size_t driver_line_ = 0;
  std::size_t line_number_ = 0;
};

}  // namespace

std::string aliasKey(std::string_view name) {
  std::size_t pos = 0;
  for (std::size_t count = 0; pos < name.size() && count < kAliasNameLength; ++count) {
    decodeUtf8(name, pos);
  }
  return upperAscii(name.substr(0, pos));
}

AliasFile AliasFile::parse(std::string_view text, const std::string& origin) {
  AliasFile file;
  file.aliases_ = Parser(origin).run(text);
  return file;
}

AliasFile AliasFile::load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw AliasError("Cannot read the alias file " + path + ": " + systemErrorMessage(errno));
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    throw AliasError("Cannot read the alias file " + path + ": " + systemErrorMessage(errno));
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
  if (!file_) file_ = AliasFile::load(path_);
  const AliasEntry* entry = file_->find(alias);
  if (entry == nullptr) {
    throw AliasError("Unknown alias '" + std::string(alias) + "' (alias file " + path_ + ")");
  }
  list = entry->params;
}

std::string aliasFilePath() {
  const auto environment = [](const char* name) -> std::string {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
  };
  if (std::string path = environment("KELVOUPDATE_ALIASES"); !path.empty()) return path;
  if (std::string config = environment("XDG_CONFIG_HOME"); !config.empty()) {
    return config + "/kelvoupdate/aliases.ini";
  }
  if (std::string home = environment("HOME"); !home.empty()) {
    return home + "/.config/kelvoupdate/aliases.ini";
  }
  return "aliases.ini";
}

}  // namespace kelvo
