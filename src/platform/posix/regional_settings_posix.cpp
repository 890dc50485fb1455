// Regional settings from the POSIX locale of the user.
#include <langinfo.h>
#include <locale.h>

#include "platform/regional_settings.h"

namespace kelvo {

namespace {

// Returns the first character of FORMAT that is not a conversion, a letter
// or a blank: the separator the format uses between its fields.
std::string separatorOf(const std::string& picture, const std::string& fallback) {
  for (const char c : picture) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && c != ' ' && c != '\'' && c != '"') return std::string(1, c);
  }
  return fallback;
}

std::string langinfo(nl_item item, locale_t locale) {
  const char* value = nl_langinfo_l(item, locale);
  return value ? value : "";
}

}  // namespace

FormatSettings regionalSettings() {
  FormatSettings s = FormatSettings::unitedStates();
  locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return s;

  s.shortDateFormat = pictureFromStrftime(langinfo(D_FMT, locale));
  std::string time_format = langinfo(T_FMT, locale);
  if (time_format.find("%r") != std::string::npos) time_format = langinfo(T_FMT_AMPM, locale);
  s.longTimeFormat = pictureFromStrftime(time_format);
  if (s.longTimeFormat.find("AMPM") != std::string::npos) {
    // A 12-hour clock shows the hour without a leading zero.
    const auto hh = s.longTimeFormat.find("hh");
    if (hh != std::string::npos) s.longTimeFormat.erase(hh, 1);
  }
  s.dateSeparator = separatorOf(s.shortDateFormat, "/");
  s.timeSeparator = separatorOf(s.longTimeFormat, ":");
  s.decimalSeparator = langinfo(RADIXCHAR, locale);
  if (s.decimalSeparator.empty()) s.decimalSeparator = ".";
  s.thousandSeparator = langinfo(THOUSEP, locale);
  if (s.thousandSeparator.empty()) s.thousandSeparator = s.decimalSeparator == "," ? "." : ",";
  const std::string am = langinfo(AM_STR, locale);
  const std::string pm = langinfo(PM_STR, locale);
  if (!am.empty()) s.timeAmString = am;
  if (!pm.empty()) s.timePmString = pm;
  static constexpr nl_item kAbMon[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4, ABMON_5, ABMON_6,
                                       ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  static constexpr nl_item kMon[] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6,
                                     MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
  static constexpr nl_item kAbDay[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
  static constexpr nl_item kDay[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
  for (int i = 0; i < 12; ++i) {
    s.shortMonthNames[i] = langinfo(kAbMon[i], locale);
    s.longMonthNames[i] = langinfo(kMon[i], locale);
  }
  for (int i = 0; i < 7; ++i) {
    s.shortDayNames[i] = langinfo(kAbDay[i], locale);
    s.longDayNames[i] = langinfo(kDay[i], locale);
  }
  freelocale(locale);
  return s;
}

}  // namespace kelvo
