#include "app/LocaleDateTime.h"

#include <windows.h>

#include "core/DateTimeValue.h"

namespace {

std::string LocaleText(LCTYPE type) {
  char buf[256] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 0) return std::string();
  return buf;
}

std::vector<std::string> LocaleTexts(LCTYPE first, int count) {
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(LocaleText(first + i));
  return texts;
}

bool ToSystemTime(double value, SYSTEMTIME& st) {
  core::TDateTimeFields f;
  if (!core::DecodeDateTime(value, f)) return false;
  st = SYSTEMTIME();
  st.wYear = static_cast<WORD>(f.Year);
  st.wMonth = static_cast<WORD>(f.Month);
  st.wDay = static_cast<WORD>(f.Day);
  st.wHour = static_cast<WORD>(f.Hour);
  st.wMinute = static_cast<WORD>(f.Minute);
  st.wSecond = static_cast<WORD>(f.Second);
  st.wMilliseconds = static_cast<WORD>(f.Millisecond);
  // The formatting functions correct the weekday themselves.
  return true;
}

}  // namespace

double CurrentDateTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  core::TDateTimeFields f;
  f.Year = st.wYear;
  f.Month = st.wMonth;
  f.Day = st.wDay;
  f.Hour = st.wHour;
  f.Minute = st.wMinute;
  f.Second = st.wSecond;
  f.Millisecond = st.wMilliseconds;
  double value = 0;
  core::EncodeDateTime(f, value);
  return value;
}

core::TLocaleDateTimeFormat UserDateTimeFormat() {
  core::TLocaleDateTimeFormat format;
  format.DatePicture = LocaleText(LOCALE_SSHORTDATE);
  format.TimePicture = LocaleText(LOCALE_STIMEFORMAT);
  format.AMDesignator = LocaleText(LOCALE_S1159);
  format.PMDesignator = LocaleText(LOCALE_S2359);
  format.MonthNames = LocaleTexts(LOCALE_SMONTHNAME1, 12);
  format.AbbrevMonthNames = LocaleTexts(LOCALE_SABBREVMONTHNAME1, 12);
  format.DayNames = LocaleTexts(LOCALE_SDAYNAME1, 7);
  format.AbbrevDayNames = LocaleTexts(LOCALE_SABBREVDAYNAME1, 7);
  return format;
}

std::string FormatLocalDateTime(double value) {
  SYSTEMTIME st;
  if (!ToSystemTime(value, st)) return std::string();
  char date[256] = {};
  if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date) <= 0)
    return std::string();
  if (st.wHour == 0 && st.wMinute == 0 && st.wSecond == 0) return date;
  char time[256] = {};
  if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time) <= 0) return std::string();
  return std::string(date) + " " + time;
}

bool ParseLocalDateTime(const std::string& text, double& value) {
  core::TDateTimeFields f;
  if (!core::ParseLocaleDateTime(text, UserDateTimeFormat(), f)) return false;
  return core::EncodeDateTime(f, value);
}
