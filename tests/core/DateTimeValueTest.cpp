#include "core/DateTimeValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace core;

namespace {
TDateTimeFields Fields(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  TDateTimeFields f;
  f.Year = y, f.Month = mo, f.Day = d, f.Hour = h, f.Minute = mi, f.Second = s, f.Millisecond = ms;
  return f;
}
double Encoded(const TDateTimeFields& f) {
  double v = -12345;
  EXPECT_TRUE(EncodeDateTime(f, v));
  return v;
}
std::string Iso(double v) {
  TDateTimeFields f;
  return DecodeDateTime(v, f) ? FormatIsoDateTime(f) : "invalid";
}
}  // namespace

// Values other programs of the family store and read, in days since 1899-12-30.
TEST(DateTimeValue, KnownDaysAndTimes) {
  EXPECT_EQ(Encoded(Fields(1899, 12, 30)), 0.0);
  EXPECT_EQ(Encoded(Fields(1900, 3, 1)), 61.0);
  EXPECT_EQ(Encoded(Fields(2024, 2, 29, 12)), 45351.5);
  EXPECT_EQ(Encoded(Fields(1899, 12, 29, 6)), -1.25);
  EXPECT_EQ(Iso(45351.75), "2024-02-29 18:00:00");
  EXPECT_EQ(Iso(-1.25), "1899-12-29 06:00:00");
  EXPECT_EQ(Iso(0), "1899-12-30 00:00:00");
  EXPECT_EQ(Iso(Encoded(Fields(1, 1, 1))), "0001-01-01 00:00:00");
  EXPECT_EQ(Iso(Encoded(Fields(9999, 12, 31, 23, 59, 59, 999))), "9999-12-31 23:59:59");
}

TEST(DateTimeValue, EveryDayOfFourHundredYearsRoundTrips) {
  double previous = Encoded(Fields(1999, 12, 31));
  for (int y = 2000; y < 2400; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= DaysInMonth(y, m); ++d) {
        double v = Encoded(Fields(y, m, d, 13, 5, 7, 250));
        ASSERT_EQ(std::trunc(v), std::trunc(previous) + 1) << y << "-" << m << "-" << d;
        TDateTimeFields f;
        ASSERT_TRUE(DecodeDateTime(v, f));
        ASSERT_EQ(FormatIsoDateTime(f), FormatIsoDateTime(Fields(y, m, d, 13, 5, 7)));
        ASSERT_EQ(f.Millisecond, 250);
        previous = v;
      }
}

TEST(DateTimeValue, RejectsWhatIsNoDate) {
  double v = 7;
  EXPECT_FALSE(EncodeDateTime(Fields(2023, 2, 29), v));
  EXPECT_FALSE(EncodeDateTime(Fields(2024, 13, 1), v));
  EXPECT_FALSE(EncodeDateTime(Fields(0, 1, 1), v));
  EXPECT_FALSE(EncodeDateTime(Fields(2024, 1, 1, 24), v));
  EXPECT_FALSE(EncodeDateTime(Fields(2024, 1, 1, 0, 60), v));
  EXPECT_EQ(v, 7);
  TDateTimeFields f = Fields(2000, 1, 2);
  EXPECT_FALSE(DecodeDateTime(std::nan(""), f));
  EXPECT_FALSE(DecodeDateTime(std::numeric_limits<double>::infinity(), f));
  EXPECT_FALSE(DecodeDateTime(1e300, f));
  EXPECT_FALSE(DecodeDateTime(2958466.0, f));  // 10000-01-01
  EXPECT_EQ(f.Day, 2);
  // The last millisecond of a day rounds into the next day, not to 24:00.
  EXPECT_EQ(Iso(0.99999999999), "1899-12-31 00:00:00");
}

TEST(DateTimeValue, WholeDaysBetween) {
  double start = Encoded(Fields(2024, 3, 1, 10));
  EXPECT_EQ(WholeDaysBetween(start, Encoded(Fields(2024, 3, 4, 9, 59, 59))), 2);
  EXPECT_EQ(WholeDaysBetween(start, Encoded(Fields(2024, 3, 4, 10))), 3);
  EXPECT_EQ(WholeDaysBetween(Encoded(Fields(2024, 3, 4, 10)), start), 3);
  EXPECT_EQ(WholeDaysBetween(start, start), 0);
  // Across the zero day, where the fraction's sign turns.
  EXPECT_EQ(WholeDaysBetween(-1.25, 0.5), 1);  // 1899-12-29 06:00 to 1899-12-30 12:00
  EXPECT_EQ(WholeDaysBetween(-0.75, 0.75), 0);   // both 1899-12-30 18:00
  EXPECT_EQ(WholeDaysBetween(std::nan(""), start), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(DateOnly(45351.75), 45351.0);
}
