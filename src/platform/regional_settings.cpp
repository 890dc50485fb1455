// Fixed regional settings and the translation of strftime-style formats.
#include "platform/regional_settings.h"

namespace kelvo {

FormatSettings FormatSettings::brazilian() {
  FormatSettings s;
  s.shortDateFormat = "dd/mm/yyyy";
  s.longTimeFormat = "hh:nn:ss";
  s.dateSeparator = "/";
  s.timeSeparator = ":";
  s.thousandSeparator = ".";
  s.decimalSeparator = ",";
  s.shortMonthNames = {"jan", "fev", "mar", "abr", "mai", "jun",
                       "jul", "ago", "set", "out", "nov", "dez"};
  s.longMonthNames = {"janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
                      "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  s.shortDayNames = {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};
  s.longDayNames = {"domingo",      "segunda-feira", "terça-feira", "quarta-feira",
                    "quinta-feira", "sexta-feira",   "sábado"};
  return s;
}

FormatSettings FormatSettings::unitedStates() {
  FormatSettings s;
  s.shortDateFormat = "m/d/yyyy";
  s.longTimeFormat = "h:nn:ss AMPM";
  s.dateSeparator = "/";
  s.timeSeparator = ":";
  s.thousandSeparator = ",";
  s.decimalSeparator = ".";
  return s;
}

std::string pictureFromStrftime(const std::string& format) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      out += format[i];
      continue;
    }
    char c = format[++i];
    if (c == 'E' || c == 'O' || c == '-' || c == '_' || c == '0') {  // modifiers and flags
      if (i + 1 == format.size()) break;
      const bool unpadded = c == '-';
      c = format[++i];
      if (unpadded && (c == 'd' || c == 'm' || c == 'H' || c == 'I')) {
        out += c == 'd' ? "d" : c == 'm' ? "m" : "h";
        continue;
      }
    }
    switch (c) {
      case 'd': out += "dd"; break;
      case 'e': out += "d"; break;
      case 'm': out += "mm"; break;
      case 'b': case 'h': out += "mmm"; break;
      case 'B': out += "mmmm"; break;
      case 'a': out += "ddd"; break;
      case 'A': out += "dddd"; break;
      case 'Y': out += "yyyy"; break;
      case 'y': out += "yy"; break;
      case 'H': out += "hh"; break;
      case 'I': out += "hh"; break;
      case 'l': out += "h"; break;
      case 'M': out += "nn"; break;
      case 'S': out += "ss"; break;
      case 'p': case 'P': out += "AMPM"; break;
      case 'T': out += "hh:nn:ss"; break;
      case 'R': out += "hh:nn"; break;
      case 'r': out += "hh:nn:ss AMPM"; break;
      case 'D': out += "mm/dd/yy"; break;
      case 'F': out += "yyyy-mm-dd"; break;
      case 'n': case 't': out += ' '; break;
      case '%': out += '%'; break;
      default: break;
    }
  }
  return out;
}

}  // namespace kelvo
