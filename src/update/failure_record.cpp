// Naming, composing and saving the failure record.
#include "update/failure_record.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/formats.h"
#include "platform/native_path.h"
#include "platform/new_file.h"
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
  // by a full disk would refuse every later start and keep nothing. Both
  // names are created afresh, so a link planted under either is never
  // followed and nothing already there is replaced.
  try {
    NewFile file = NewFile::createIn(utf8Text(filePath(path).parent_path()), "kelvo-record");
    file.write(content);
    file.finish();
    if (!file.publishAs(path)) throw Error(std::generic_category().message(EEXIST));
  } catch (const Error& error) {
    throw Error("Cannot create file \"" + path + "\". " + error.what());
  }
}

}  // namespace kelvo
