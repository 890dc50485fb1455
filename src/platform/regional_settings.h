// The user's regional settings that the system's displays and file names
// depend on, as format pictures ("dd/mm/yyyy", "hh:nn:ss") the formatters read.
#pragma once

#include <array>
#include <string>

namespace kelvo {

struct FormatSettings {
  std::string shortDateFormat = "dd/mm/yyyy";  // e.g. "dd/mm/yyyy", "m/d/yyyy"
  std::string longTimeFormat = "hh:nn:ss";     // e.g. "hh:nn:ss", "h:nn:ss AMPM"
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string thousandSeparator = ".";
  std::string decimalSeparator = ",";
  std::string timeAmString = "AM";
  std::string timePmString = "PM";
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};

  // Returns the settings of a Brazilian Portuguese desktop.
  static FormatSettings brazilian();
  // Returns the settings of a United States English desktop.
  static FormatSettings unitedStates();
};

// Returns the current user's settings, read from the system (on POSIX from
// the locale named by LC_ALL, LC_TIME / LC_NUMERIC or LANG).
FormatSettings regionalSettings();

// Returns a strftime-style format ("%d/%m/%Y", "%I:%M:%S %p", ...) in the
// picture notation of the formatters ("dd/mm/yyyy", "hh:nn:ss AMPM").
std::string pictureFromStrftime(const std::string& format);

}  // namespace kelvo
