// Date-times as the family's settings hold them: a double counting days since
// 1899-12-30, whose fraction is the time of day (for values before that day the
// fraction's magnitude is the time, so -1.25 is 1899-12-29 06:00).
#pragma once
#include <cstdint>
#include <string>

namespace core {

struct TDateTimeFields {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

// False (value untouched) when a field is out of range; years 1..9999.
bool EncodeDateTime(const TDateTimeFields& fields, double& value);

// Rounded to the millisecond. False (fields untouched) for values outside years 1..9999
// and for NaN or infinities.
bool DecodeDateTime(double value, TDateTimeFields& fields);

// The calendar day of value at 00:00:00.
double DateOnly(double value);

// Whole days between two values (order does not matter); INT64_MAX when either value
// is not a date.
int64_t WholeDaysBetween(double a, double b);

// "yyyy-mm-dd hh:mm:ss" with zero-padded fields.
std::string FormatIsoDateTime(const TDateTimeFields& fields);

}  // namespace core
