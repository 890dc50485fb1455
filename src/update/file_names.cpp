// Listing-line names, name safety and the download decision.
#include "update/file_names.h"

#include <algorithm>

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/formats.h"
#include "update/file_marking.h"

namespace kelvo {

std::string UltimaPalavra(std::string_view line) {
  // The run trims names of blanks and control characters alike.
  const std::string_view text = trimBlanksAndControls(line);
  const std::size_t blank = text.rfind(' ');
  const std::string_view word = blank == std::string_view::npos ? text : text.substr(blank);
  return std::string(trimBlanksAndControls(utf8Characters(word, 0, 1000)));
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
