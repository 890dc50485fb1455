// Regional settings from the Windows user locale.
#include <windows.h>

#include "platform/codepage.h"
#include "platform/regional_settings.h"

namespace kelvo {

namespace {

std::string info(LCTYPE type) {
  wchar_t buffer[128];
  const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  if (n <= 1) return {};
  return utf16ToUtf8(std::u16string(buffer, buffer + n - 1));
}

// Windows pictures ("dd/MM/yyyy", "h:mm:ss tt") in the formatters' notation.
std::string fromPicture(std::string picture) {
  std::string out;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (c == 'M') {
      out += 'm';
    } else if (c == 'm') {
      out += 'n';
    } else if (c == 'H') {
      out += 'h';
    } else if (c == 't') {
      while (i + 1 < picture.size() && picture[i + 1] == 't') ++i;
      out += "AMPM";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

FormatSettings regionalSettings() {
  FormatSettings s;
  s.shortDateFormat = fromPicture(info(LOCALE_SSHORTDATE));
  s.longTimeFormat = fromPicture(info(LOCALE_STIMEFORMAT));
  s.dateSeparator = info(LOCALE_SDATE);
  s.timeSeparator = info(LOCALE_STIME);
  s.thousandSeparator = info(LOCALE_STHOUSAND);
  s.decimalSeparator = info(LOCALE_SDECIMAL);
  s.timeAmString = info(LOCALE_S1159);
  s.timePmString = info(LOCALE_S2359);
  for (int i = 0; i < 12; ++i) {
    s.shortMonthNames[i] = info(LOCALE_SABBREVMONTHNAME1 + i);
    s.longMonthNames[i] = info(LOCALE_SMONTHNAME1 + i);
  }
  for (int i = 0; i < 7; ++i) {  // Windows counts from Monday, the settings from Sunday
    s.shortDayNames[i] = info(LOCALE_SABBREVDAYNAME1 + (i + 6) % 7);
    s.longDayNames[i] = info(LOCALE_SDAYNAME1 + (i + 6) % 7);
  }
  return s;
}

}  // namespace kelvo
