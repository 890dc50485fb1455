// Listing-line names, name safety and the download decision.
#include "update/file_names.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/formats.h"
#include "update/file_marking.h"

namespace kelvo {

namespace {

// Blanks and control characters, as the run trims names.
std::string_view trimmed(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

// Returns the first COUNT characters (code points) of TEXT.
std::string_view firstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < count && pos < text.size(); ++n) decodeUtf8(text, pos);
  return text.substr(0, pos);
}

}  // namespace

std::string UltimaPalavra(std::string_view line) {
  const std::string_view text = trimmed(line);
  const std::size_t blank = text.rfind(' ');
  const std::string_view word = blank == std::string_view::npos ? text : text.substr(blank);
  return std::string(trimmed(firstCharacters(word, 1000)));
}

bool isSafeFileName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < ' ' || byte == 0x7F || c == '/' || c == '\\' || c == ':') return false;
  }
  return name.find_first_not_of(". ") != std::string_view::npos;
}

bool differToTheMinute(TDateTime a, TDateTime b, const FormatSettings& settings) {
  constexpr const char* kMinutePicture = "dd/mm/yyyy HH:mm";
  return formatDateTime(kMinutePicture, a, settings) != formatDateTime(kMinutePicture, b, settings);
}

bool PrecisaBaixar(const std::string& name, TDateTime server_time, const FormatSettings& settings) {
  return fetches(compareWithLocal(name, server_time, settings).verdict);
}

}  // namespace kelvo
