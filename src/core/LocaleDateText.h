// Reading back a date-time text that the system wrote with the user's short-date and
// long-time pictures ("yyyy/M/d" and "HH:mm:ss" on a Chinese Windows). The pictures use
// the letters of the system's date and time formatting; text in single quotes is literal.
#pragma once
#include <string>
#include <vector>

#include "core/DateTimeValue.h"

namespace core {

struct TLocaleDateTimeFormat {
  std::string DatePicture;
  std::string TimePicture;
  std::string AMDesignator;
  std::string PMDesignator;
  // January first; used by "MMM" and "MMMM" pictures, and day names (Monday first) by
  // "ddd" and "dddd". Lists may be empty when the pictures do not need them.
  std::vector<std::string> MonthNames;
  std::vector<std::string> AbbrevMonthNames;
  std::vector<std::string> DayNames;
  std::vector<std::string> AbbrevDayNames;
  // Two-digit years are read in the hundred years ending with this one.
  int TwoDigitYearMax = 2029;
};

// Parses "<date>" or "<date> <time>" written with the format's pictures (the date alone
// means 00:00:00). Spaces in the pictures match any run of spaces; other letters and
// names compare without ASCII case. False (fields untouched) when the text does not
// follow the pictures or names no existing date and time.
bool ParseLocaleDateTime(const std::string& text, const TLocaleDateTimeFormat& format,
                         TDateTimeFields& fields);

}  // namespace core
