// Naming, composing and saving the failure record.
#include "update/failure_record.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/formats.h"
#include "platform/text_lines.h"

namespace kelvo {

namespace {

// Returns true for a character no file name in the working folder may hold.
bool forbiddenInFileName(char32_t c) {
  switch (c) {
    case U'\\':
    case U'/':
    case U':':
    case U'*':
    case U'?':
    case U'"':
    case U'<':
    case U'>':
    case U'|':
      return true;
    default:
      return c < 0x20 || c == 0x7F;
  }
}

[[noreturn]] void raiseCannotWrite(const std::string& path, int code) {
  throw Error("Cannot create file \"" + path + "\". " + std::generic_category().message(code));
}

// Returns PATH (UTF-8) as a path the system opens by its wide name where
// there is one.
std::filesystem::path nativePath(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

std::string TrocaCaractere(std::string_view text, std::string_view search,
                           std::string_view replacement) {
  std::size_t search_end = 0;
  char32_t wanted = 0;
  bool one_character = !search.empty();
  if (one_character) {
    wanted = decodeUtf8(search, search_end);
    one_character = search_end == search.size();
  }
  std::string result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    const char32_t c = decodeUtf8(text, pos);
    if (one_character && c == wanted) {
      result += replacement;
    } else {
      result += text.substr(start, pos - start);
    }
  }
  return result;
}

std::string fileNameSafe(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    if (forbiddenInFileName(decodeUtf8(text, pos))) {
      result += '_';
    } else {
      result += text.substr(start, pos - start);
    }
  }
  return result;
}

std::string failureRecordName(TDateTime date, TDateTime time, std::string_view entry,
                              const FormatSettings& settings) {
  const std::string date_part = TrocaCaractere(formatDateTime("ddddd", date, settings), "/", "-");
  const std::string time_part = TrocaCaractere(formatDateTime("tt", time, settings), ":", "-");
  return "SCRIPT_ERRO_DT_" + date_part + "_HR_" + time_part + " " + fileNameSafe(entry) + ".TXT";
}

void insertFailureHeader(std::vector<std::string>& script, std::string_view message) {
  std::vector<std::string> header{"/* ERRO: ", " "};
  const auto message_lines = splitLines(message);
  if (message_lines.empty()) header.emplace_back();
  for (const std::string_view line : message_lines) header.emplace_back(line);
  header.insert(header.end(), {" ", ".....  */", " "});
  script.insert(script.begin(), header.begin(), header.end());
}

void saveFailureRecord(const std::string& path, const std::vector<std::string>& lines) {
  std::string content;
  for (const std::string& line : lines) {
    content += utf8ToAnsi(line);
    content += "\r\n";
  }
  // The record is written whole under a name the start-up gate passes over
  // (it begins with a dot) and only then given its own: a record cut short
  // by a full disk would refuse every later start and keep nothing.
  const std::filesystem::path target = nativePath(path);
  std::filesystem::path temporary = target;
  temporary.replace_filename(".kelvo-record-" + std::to_string(std::random_device{}()) + ".tmp");
  errno = 0;
  std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
  if (!file) raiseCannotWrite(path, errno != 0 ? errno : EACCES);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
  file.close();
  std::error_code error;
  if (!file) {
    const int code = errno != 0 ? errno : EIO;
    std::filesystem::remove(temporary, error);
    raiseCannotWrite(path, code);
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    raiseCannotWrite(path, error.value());
  }
}

}  // namespace kelvo
