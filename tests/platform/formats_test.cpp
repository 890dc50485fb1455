// Date and number format pictures under Brazilian and US settings.
#include <gtest/gtest.h>

#include "platform/formats.h"

namespace kelvo {
namespace {

TDateTime at(int y, int mo, int d, int h, int mi, int s) {
  return composeDateTime(encodeDate(y, mo, d), encodeTime(h, mi, s, 0));
}

TEST(Formats, DateTimesUnderBrazilianSettings) {
  const FormatSettings br = FormatSettings::brazilian();
  const TDateTime t = at(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(formatDateTime("dd/mm/yyyy HH:mm", t, br), "05/03/2024 14:07");
  EXPECT_EQ(formatDateTime(br.shortDateFormat, t, br), "05/03/2024");
  EXPECT_EQ(formatDateTime(br.longTimeFormat, t, br), "14:07:09");
  EXPECT_EQ(formatDateTime("ddddd", t, br), "05/03/2024");
  EXPECT_EQ(formatDateTime("tt", t, br), "14:07:09");
  EXPECT_EQ(formatDateTime("dddd, d 'de' mmmm", t, br), "terça-feira, 5 de março");
}

TEST(Formats, DateTimesUnderUsSettings) {
  const FormatSettings us = FormatSettings::unitedStates();
  EXPECT_EQ(formatDateTime(us.shortDateFormat, at(2024, 3, 5, 14, 7, 9), us), "3/5/2024");
  EXPECT_EQ(formatDateTime(us.longTimeFormat, at(2024, 3, 5, 14, 7, 9), us), "2:07:09 PM");
  EXPECT_EQ(formatDateTime(us.longTimeFormat, at(2024, 3, 5, 0, 0, 1), us), "12:00:01 AM");
  EXPECT_EQ(formatDateTime(us.longTimeFormat, at(2024, 3, 5, 12, 30, 0), us), "12:30:00 PM");
  EXPECT_EQ(formatDateTime("h:nn am/pm", at(2024, 3, 5, 9, 5, 0), us), "9:05 am");
}

TEST(Formats, SeparatorsComeFromTheSettings) {
  FormatSettings dotted = FormatSettings::brazilian();
  dotted.dateSeparator = ".";
  dotted.timeSeparator = ".";
  EXPECT_EQ(formatDateTime("dd/mm/yy hh:nn", at(1999, 12, 31, 23, 59, 0), dotted),
            "31.12.99 23.59");
  // A format that writes its own dots keeps them whatever the separator.
  EXPECT_EQ(formatDateTime("dd.mm.yyyy", at(2024, 3, 5, 0, 0, 0), FormatSettings::unitedStates()),
            "05.03.2024");
}

TEST(Formats, MinutesFollowAnHourOtherwiseMonths) {
  const FormatSettings br = FormatSettings::brazilian();
  const TDateTime t = at(2024, 11, 5, 8, 42, 0);
  EXPECT_EQ(formatDateTime("mm", t, br), "11");
  EXPECT_EQ(formatDateTime("hh:mm", t, br), "08:42");
  EXPECT_EQ(formatDateTime("hh mm", t, br), "08 42");
}

TEST(Formats, NumbersUnderBothSettings) {
  const FormatSettings br = FormatSettings::brazilian();
  const FormatSettings us = FormatSettings::unitedStates();
  EXPECT_EQ(formatFloat("##,###,##0", 1234567, br), "1.234.567");
  EXPECT_EQ(formatFloat("##,###,##0", 1234567, us), "1,234,567");
  EXPECT_EQ(formatFloat("##,###,##0", 0, br), "0");
  EXPECT_EQ(formatFloat("##,###,##0", 999.5, br), "1.000");
  EXPECT_EQ(formatFloat("##,###,##0", 4294967295.0, us), "4,294,967,295");
  EXPECT_EQ(formatFloat("0.00", 3.14159, br), "3,14");
  EXPECT_EQ(formatFloat("0.00", 2.005, us), "2.01");  // the decimal as written rounds up
  EXPECT_EQ(formatFloat("0.00", 0.125, us), "0.13");
  EXPECT_EQ(formatFloat("0.00", -0.125, us), "-0.13");
  EXPECT_EQ(formatFloat("0.00", 0, us), "0.00");
  EXPECT_EQ(formatFloat("0.00", -0.001, us), "0.00");
  EXPECT_EQ(formatFloat("0.##", 1.5, us), "1.5");
  EXPECT_EQ(formatFloat("#.##", 0.5, us), ".5");
}

TEST(Formats, StrftimeFormatsTranslate) {
  EXPECT_EQ(pictureFromStrftime("%d/%m/%Y"), "dd/mm/yyyy");
  EXPECT_EQ(pictureFromStrftime("%m/%d/%y"), "mm/dd/yy");
  EXPECT_EQ(pictureFromStrftime("%H:%M:%S"), "hh:nn:ss");
  EXPECT_EQ(pictureFromStrftime("%I:%M:%S %p"), "hh:nn:ss AMPM");
  EXPECT_EQ(pictureFromStrftime("%e.%-m.%Y"), "d.m.yyyy");
}

}  // namespace
}  // namespace kelvo
