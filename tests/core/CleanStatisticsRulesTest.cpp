#include "core/CleanStatisticsRules.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/DateTimeValue.h"

using namespace core;

namespace {
int64_t Bytes(double kib) {
  int64_t b = -1;
  EXPECT_TRUE(TotalKiBToBytes(kib, b)) << kib;
  return b;
}
double Day(int y, int m, int d, int h = 0) {
  TDateTimeFields f;
  f.Year = y, f.Month = m, f.Day = d, f.Hour = h;
  double v = 0;
  EncodeDateTime(f, v);
  return v;
}
}  // namespace

TEST(CleanStatisticsRules, StoredKiBToBytes) {
  EXPECT_EQ(Bytes(0), 0);
  EXPECT_EQ(Bytes(1.5), 1536);
  EXPECT_EQ(Bytes(-2), -2048);
  EXPECT_EQ(Bytes(0.0009765625), 1);
  EXPECT_EQ(Bytes(0.00048828125), 0);  // half a byte rounds to even
  EXPECT_EQ(Bytes(0.00146484375), 2);  // one and a half bytes too
  // Rounded to single precision first: 16777217 KiB is no such value and reads as 16777216.
  EXPECT_EQ(Bytes(16777217), 16777216LL * 1024);
  int64_t untouched = 77;
  EXPECT_FALSE(TotalKiBToBytes(1e300, untouched));
  EXPECT_FALSE(TotalKiBToBytes(3e38, untouched));  // a float, but not a 64-bit byte count
  EXPECT_FALSE(TotalKiBToBytes(std::numeric_limits<double>::quiet_NaN(), untouched));
  EXPECT_EQ(untouched, 77);
}

TEST(CleanStatisticsRules, TotalsAboveSixteenGiBMoveInSinglePrecisionSteps) {
  const int64_t total = 16777216LL * 1024;  // 16 GiB, stored as 16777216 KiB
  EXPECT_EQ(TotalKiBAfterClean(0, 1536), 1.5f);
  EXPECT_EQ(TotalKiBAfterClean(Bytes(1.5), 1536), 3.0f);
  // Steps of 2 KiB here: 1000 bytes are rounded away, 1536 bytes count as 2 KiB.
  EXPECT_EQ(TotalKiBAfterClean(total, 1000), 16777216.0f);
  EXPECT_EQ(TotalKiBAfterClean(total, 1536), 16777218.0f);
  EXPECT_EQ(TotalKiBAfterClean(total, 3 * 1024), 16777220.0f);  // 3 KiB: a tie, to even
  // Many small cleans never add up: each one starts again from the stored value.
  float stored = 16777216.0f;
  for (int i = 0; i < 100; ++i) stored = TotalKiBAfterClean(Bytes(stored), 1000);
  EXPECT_EQ(stored, 16777216.0f);
  // The sum cannot wrap around.
  EXPECT_GT(TotalKiBAfterClean(INT64_MAX, INT64_MAX), 0.0f);
}

TEST(CleanStatisticsRules, CountsStopAtTheEndsOfTheRange) {
  EXPECT_EQ(AddCleanCount(10, 5), 15);
  EXPECT_EQ(AddCleanCount(10, -15), -5);
  EXPECT_EQ(AddCleanCount(INT32_MAX - 1, 5), INT32_MAX);
  EXPECT_EQ(AddCleanCount(INT32_MIN, -1), INT32_MIN);
}

TEST(CleanStatisticsRules, RecentlyCleanedMeansAtMostTwoWholeDays) {
  double now = Day(2024, 3, 10, 12);
  EXPECT_TRUE(CountsAsRecentlyCleaned(false, Day(2024, 3, 7, 13), now));   // 2 days 23 hours
  EXPECT_FALSE(CountsAsRecentlyCleaned(false, Day(2024, 3, 7, 12), now));  // 3 days
  EXPECT_TRUE(CountsAsRecentlyCleaned(false, Day(2024, 3, 12, 11), now));  // a clock set back
  EXPECT_FALSE(CountsAsRecentlyCleaned(false, 0, now));                    // never cleaned
  EXPECT_TRUE(CountsAsRecentlyCleaned(true, 0, now));
}

namespace {
TStatisticsTexts Texts() {
  TStatisticsTexts t;
  t.ThisTime = "本次清理时间：";
  t.LastTime = "上次清理时间：";
  t.ThisResult = "本次清理结果：";
  t.LastResult = "上次清理结果：";
  t.TotalResult = "累计清理结果：";
  t.Never = "尚未进行过清理。";
  t.Cleaned = "已清除 %d 个垃圾文件，共释放 %s 磁盘空间";
  return t;
}
}  // namespace

TEST(CleanStatisticsRules, HomePageLabels) {
  TCleanStatisticsValues v;
  v.LastClean = Day(2024, 3, 9, 8) + (7 * 60 + 6) / 86400.0;
  v.LastCount = 12;
  v.LastSizeText = "1.21 MB";
  v.TotalCount = 340;
  v.TotalSizeText = "2.00 GB";
  TCleanStatisticsLabels at = ComposeStatisticsLabels(Texts(), v, false, Day(2024, 3, 10));
  EXPECT_EQ(at.TimeLabel, "上次清理时间：2024-03-09 08:07:06");
  EXPECT_EQ(at.ResultLabel, "上次清理结果：已清除 12 个垃圾文件，共释放 1.21 MB 磁盘空间");
  EXPECT_EQ(at.TotalLabel, "累计清理结果：已清除 340 个垃圾文件，共释放 2.00 GB 磁盘空间");
  EXPECT_TRUE(at.RecentlyCleaned);

  TCleanStatisticsLabels after = ComposeStatisticsLabels(Texts(), v, true, Day(2024, 5, 1));
  EXPECT_EQ(after.TimeLabel, "本次清理时间：2024-03-09 08:07:06");
  EXPECT_EQ(after.ResultLabel.substr(0, std::string("本次清理结果：").size()), "本次清理结果：");
  EXPECT_TRUE(after.RecentlyCleaned);

  // Nothing removed, or no clean at all.
  TCleanStatisticsValues none;
  none.LastClean = v.LastClean;
  TCleanStatisticsLabels empty = ComposeStatisticsLabels(Texts(), none, true, v.LastClean);
  EXPECT_EQ(empty.ResultLabel, "本次清理结果：尚未进行过清理。");
  EXPECT_EQ(empty.TotalLabel, "累计清理结果：尚未进行过清理。");
  TCleanStatisticsLabels never = ComposeStatisticsLabels(Texts(), TCleanStatisticsValues(), false, v.LastClean);
  EXPECT_EQ(never.TimeLabel, "上次清理时间：尚未进行过清理。");
  EXPECT_EQ(never.ResultLabel, "上次清理结果：尚未进行过清理。");
  EXPECT_FALSE(never.RecentlyCleaned);
}

TEST(CleanStatisticsRules, CleanedTextFillsOnlyItsTwoPlaces) {
  EXPECT_EQ(FillCleanedText("%d/%s", -3, "1 KB"), "-3/1 KB");
  // A size text or format with further sequences is copied as it is.
  EXPECT_EQ(FillCleanedText("%s %d %d %s %n %", 5, "%d%s"), "%d%s 5 %d %s %n %");
  EXPECT_EQ(FillCleanedText("", 5, "x"), "");
}
