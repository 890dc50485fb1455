// The date-time and number formatters.
#include "platform/formats.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace kelvo {

namespace {

std::string twoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view prefix) {
  if (text.size() - pos < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[pos + i])) != prefix[i]) return false;
  }
  return true;
}

class DateTimeFormatter {
 public:
  DateTimeFormatter(TDateTime value, const FormatSettings& settings)
      : value_(value), settings_(settings), date_(decodeDate(value)), time_(decodeTime(value)) {}

  std::string run(std::string_view format, int depth) {
    std::string out;
    const bool twelve_hour = usesTwelveHourClock(format);
    bool after_hour = false;  // an "m" right after an hour means minutes
    for (std::size_t i = 0; i < format.size();) {
      const char raw = format[i];
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
      const std::size_t count = runLength(format, i);
      if (raw == '"' || raw == '\'') {
        const std::size_t end = format.find(raw, i + 1);
        const std::size_t stop = end == std::string_view::npos ? format.size() : end;
        out.append(format.substr(i + 1, stop - i - 1));
        i = stop == format.size() ? stop : stop + 1;
        continue;
      }
      if (c == 'a') {
        out += amPm(format, i);
        continue;
      }
      i += (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's' || c == 'z' ||
            c == 't')
               ? count
               : 1;
      switch (c) {
        case 'd':
          if (count == 1) out += std::to_string(date_.day);
          else if (count == 2) out += twoDigits(date_.day);
          else if (count == 3) out += settings_.shortDayNames[dayOfWeek(value_) - 1];
          else if (count == 4) out += settings_.longDayNames[dayOfWeek(value_) - 1];
          else if (depth < 2) out += run(settings_.shortDateFormat, depth + 1);
          after_hour = false;
          break;
        case 'm':
          if (after_hour && count <= 2) {
            out += count == 1 ? std::to_string(time_.minute) : twoDigits(time_.minute);
          } else if (count == 1) {
            out += std::to_string(date_.month);
          } else if (count == 2) {
            out += twoDigits(date_.month);
          } else if (count == 3) {
            out += settings_.shortMonthNames[date_.month - 1];
          } else {
            out += settings_.longMonthNames[date_.month - 1];
          }
          after_hour = false;
          break;
        case 'y':
          if (count <= 2) out += twoDigits(date_.year % 100);
          else out += std::to_string(date_.year);
          after_hour = false;
          break;
        case 'h': {
          int hour = time_.hour;
          if (twelve_hour) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          out += count == 1 ? std::to_string(hour) : twoDigits(hour);
          after_hour = true;
          break;
        }
        case 'n':
          out += count == 1 ? std::to_string(time_.minute) : twoDigits(time_.minute);
          after_hour = false;
          break;
        case 's':
          out += count == 1 ? std::to_string(time_.second) : twoDigits(time_.second);
          after_hour = false;
          break;
        case 'z': {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, count >= 3 ? "%03d" : "%d", time_.millisecond);
          out += buffer;
          break;
        }
        case 't':
          if (depth < 2) out += run(count == 1 ? shortTimeFormat() : settings_.longTimeFormat, depth + 1);
          break;
        case 'c':
          if (depth < 2) {
            out += run(settings_.shortDateFormat, depth + 1);
            if (time_.hour || time_.minute || time_.second || time_.millisecond) {
              out += ' ' + run(settings_.longTimeFormat, depth + 1);
            }
          }
          break;
        case '/':
          out += settings_.dateSeparator;
          break;
        case ':':
          out += settings_.timeSeparator;
          break;
        default:
          out += raw;
          break;
      }
    }
    return out;
  }

 private:
  static std::size_t runLength(std::string_view format, std::size_t i) {
    const auto lower = [&](std::size_t k) {
      return std::tolower(static_cast<unsigned char>(format[k]));
    };
    std::size_t j = i + 1;
    while (j < format.size() && lower(j) == lower(i)) ++j;
    return j - i;
  }

  static bool usesTwelveHourClock(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
      if (startsWithNoCase(format, i, "am/pm") || startsWithNoCase(format, i, "a/p") ||
          startsWithNoCase(format, i, "ampm")) {
        return true;
      }
    }
    return false;
  }

  std::string amPm(std::string_view format, std::size_t& i) {
    const bool pm = time_.hour >= 12;
    if (startsWithNoCase(format, i, "am/pm")) {
      // The case of the format's letters is kept, as written.
      std::string_view word = format.substr(i + (pm ? 3 : 0), 2);
      i += 5;
      return std::string(word);
    }
    if (startsWithNoCase(format, i, "a/p")) {
      const char letter = format[i + (pm ? 2 : 0)];
      i += 3;
      return std::string(1, letter);
    }
    if (startsWithNoCase(format, i, "ampm")) {
      i += 4;
      return pm ? settings_.timePmString : settings_.timeAmString;
    }
    ++i;
    return "a";
  }

  std::string shortTimeFormat() const {
    // The long format without its seconds.
    std::string format = settings_.longTimeFormat;
    const auto seconds = format.find(":ss");
    if (seconds != std::string::npos) format.erase(seconds, 3);
    return format;
  }

  TDateTime value_;
  const FormatSettings& settings_;
  DateParts date_;
  TimeParts time_;
};

}  // namespace

std::string formatDateTime(std::string_view format, TDateTime value, const FormatSettings& settings) {
  return DateTimeFormatter(value, settings).run(format, 0);
}

std::string formatFloat(std::string_view format, double value, const FormatSettings& settings) {
  const std::size_t point = format.find('.');
  const std::string_view integer_part = format.substr(0, point);
  const std::string_view fraction_part =
      point == std::string_view::npos ? std::string_view() : format.substr(point + 1);
  int min_integer = 0;
  bool grouping = false;
  for (const char c : integer_part) {
    if (c == '0') ++min_integer;
    if (c == ',') grouping = true;
  }
  int min_decimals = 0;
  int max_decimals = 0;
  for (const char c : fraction_part) {
    if (c == '0') ++min_decimals, ++max_decimals;
    if (c == '#') ++max_decimals;
  }

  // Round half away from zero at the last decimal shown.
  const double scale = std::pow(10.0, max_decimals);
  const double scaled = std::round(std::fabs(value) * scale);
  char digits_buffer[400];
  std::snprintf(digits_buffer, sizeof digits_buffer, "%.0f", scaled);
  std::string digits = digits_buffer;
  while (static_cast<int>(digits.size()) <= max_decimals) digits.insert(0, "0");
  std::string integer = digits.substr(0, digits.size() - static_cast<std::size_t>(max_decimals));
  std::string fraction = digits.substr(integer.size());
  while (integer.size() > 1 && integer[0] == '0') integer.erase(0, 1);
  if (integer == "0" && min_integer == 0) integer.clear();
  while (static_cast<int>(integer.size()) < min_integer) integer.insert(0, "0");
  while (static_cast<int>(fraction.size()) > min_decimals && !fraction.empty() &&
         fraction.back() == '0') {
    fraction.pop_back();
  }

  std::string out;
  if (value < 0 && scaled != 0) out += '-';
  if (grouping) {
    for (std::size_t i = 0; i < integer.size(); ++i) {
      if (i > 0 && (integer.size() - i) % 3 == 0) out += settings.thousandSeparator;
      out += integer[i];
    }
  } else {
    out += integer;
  }
  if (!fraction.empty()) out += settings.decimalSeparator + fraction;
  return out;
}

}  // namespace kelvo
