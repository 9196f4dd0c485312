#include "core/DateTimeValue.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace core {

namespace {

const int64_t kMsPerDay = 86400000;
// Day number of 1899-12-30 counted from 0001-01-01 as day 1.
const int64_t kDateDelta = 693594;
const int64_t kMinDay = 1 - kDateDelta;     // 0001-01-01
const int64_t kMaxDay = 2958465;            // 9999-12-31

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// Day and time of day of a finite value in range; the time rounds to the millisecond,
// a round-up to 24:00 moves to the next day.
bool SplitValue(double value, int64_t& day, int64_t& ms) {
  if (!std::isfinite(value) || value <= kMinDay - 1.0 || value >= kMaxDay + 1.0) return false;
  double whole = std::trunc(value);
  day = static_cast<int64_t>(whole);
  ms = std::llround(std::fabs(value - whole) * kMsPerDay);
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    ++day;
  }
  return day >= kMinDay && day <= kMaxDay;
}

}  // namespace

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool EncodeDateTime(const TDateTimeFields& f, double& value) {
  if (f.Year < 1 || f.Year > 9999 || f.Day < 1 || f.Day > DaysInMonth(f.Year, f.Month)) return false;
  if (f.Hour < 0 || f.Hour > 23 || f.Minute < 0 || f.Minute > 59 || f.Second < 0 || f.Second > 59 ||
      f.Millisecond < 0 || f.Millisecond > 999)
    return false;
  int64_t dayOfYear = f.Day;
  for (int m = 1; m < f.Month; ++m) dayOfYear += DaysInMonth(f.Year, m);
  int64_t y = f.Year - 1;
  int64_t day = y * 365 + y / 4 - y / 100 + y / 400 + dayOfYear - kDateDelta;
  double time =
      ((f.Hour * 3600 + f.Minute * 60 + f.Second) * 1000.0 + f.Millisecond) / static_cast<double>(kMsPerDay);
  value = day >= 0 ? day + time : day - time;
  return true;
}

bool DecodeDateTime(double value, TDateTimeFields& fields) {
  int64_t day = 0, ms = 0;
  if (!SplitValue(value, day, ms)) return false;
  // Days since 0001-01-01, counted in 400-, 100-, 4- and 1-year blocks.
  int64_t t = day + kDateDelta - 1;
  int64_t year = 1 + (t / 146097) * 400;
  t %= 146097;
  int64_t n = t / 36524;
  if (n == 4) n = 3;
  year += n * 100;
  t -= n * 36524;
  year += (t / 1461) * 4;
  t %= 1461;
  n = t / 365;
  if (n == 4) n = 3;
  year += n;
  t -= n * 365;
  TDateTimeFields f;
  f.Year = static_cast<int>(year);
  f.Month = 1;
  while (t >= DaysInMonth(f.Year, f.Month)) t -= DaysInMonth(f.Year, f.Month++);
  f.Day = static_cast<int>(t) + 1;
  f.Hour = static_cast<int>(ms / 3600000);
  f.Minute = static_cast<int>(ms / 60000 % 60);
  f.Second = static_cast<int>(ms / 1000 % 60);
  f.Millisecond = static_cast<int>(ms % 1000);
  fields = f;
  return true;
}

double DateOnly(double value) { return std::trunc(value); }

int64_t WholeDaysBetween(double a, double b) {
  int64_t dayA = 0, msA = 0, dayB = 0, msB = 0;
  if (!SplitValue(a, dayA, msA) || !SplitValue(b, dayB, msB)) return std::numeric_limits<int64_t>::max();
  int64_t span = (dayA * kMsPerDay + msA) - (dayB * kMsPerDay + msB);
  return (span < 0 ? -span : span) / kMsPerDay;
}

std::string FormatIsoDateTime(const TDateTimeFields& f) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", f.Year, f.Month, f.Day, f.Hour, f.Minute,
                f.Second);
  return buf;
}

}  // namespace core
