// Date-time and number formatting by format pictures, always with explicit
// regional settings so that displays and file names can be tested.
#pragma once

#include <string>
#include <string_view>

#include "platform/regional_settings.h"
#include "platform/tdatetime.h"

namespace kelvo {

// Returns VALUE formatted by FORMAT. Understood: d dd ddd dddd ddddd (short
// date format), m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh,
// n nn, s ss, z zzz, t (short time) tt (long time format), c, am/pm a/p
// ampm (12-hour clock), '/' the date and ':' the time separator, text in
// quotes as it stands. Letters are read without regard to case.
std::string formatDateTime(std::string_view format, TDateTime value, const FormatSettings& settings);

// Returns VALUE formatted by a numeric picture such as "##,###,##0" or
// "0.00": '0' a digit always shown, '#' a digit shown when significant, ','
// in the integer part groups thousands with the thousand separator, '.' the
// decimal separator; halves round away from zero.
std::string formatFloat(std::string_view format, double value, const FormatSettings& settings);

}  // namespace kelvo
