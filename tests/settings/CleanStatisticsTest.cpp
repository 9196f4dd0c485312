#include "app/CleanStatistics.h"

#include <gtest/gtest.h>

#include "app/ItemSelection.h"
#include "app/JunkScanConfig.h"
#include "app/LocaleDateTime.h"
#include "app/Settings.h"
#include "core/DateTimeValue.h"
#include "settings/SettingsFolder.h"
#include "system/ByteSizeText.h"

namespace {

const char kSection[] = "TraceScanOption";

std::string Key(const char* key) { return TSettingsFile::Program().ReadString(kSection, key, "<none>"); }

std::string Iso(double v) {
  core::TDateTimeFields f;
  return core::DecodeDateTime(v, f) ? core::FormatIsoDateTime(f) : "invalid";
}

}  // namespace

TEST(CleanStatistics, TwoCleansRecordedAndShown) {
  TSettingsFolder folder;
  double before = CurrentDateTime();
  RecordCleanTime();
  RecordCleanStatistics(12, 1269760);
  RecordCleanTime();
  RecordCleanStatistics(5, 2048);
  double after = CurrentDateTime();

  EXPECT_EQ(Key("PreviousCleanCount"), "5");
  EXPECT_EQ(Key("PreviousCleanSize"), "2048");
  EXPECT_EQ(Key("TotalCleanCount"), "17");
  EXPECT_EQ(Key("TotalCleanSize"), "1242");  // (1269760 + 2048) / 1024 KiB
  TSettingsFile file = TSettingsFile::Program();
  double cleaned = file.ReadDateTime(kSection, "PreviousCleanDate2", 0);
  EXPECT_GE(cleaned, before - 1.0 / 86400);
  EXPECT_LE(cleaned, after);
  EXPECT_EQ(file.ReadDateTime(kSection, "PreviousCleanDate", 0), core::DateOnly(cleaned));
  EXPECT_EQ(Key("PreviousCleanDate"), FormatLocalDateTime(core::DateOnly(cleaned)));

  core::TCleanStatisticsLabels shown = ShowCleanStatistics(true);
  EXPECT_EQ(shown.TimeLabel, "本次清理时间：" + Iso(cleaned));
  EXPECT_EQ(shown.ResultLabel, "本次清理结果：已清除 5 个垃圾文件，共释放 " + FormatByteSize(2048) + " 磁盘空间");
  EXPECT_EQ(shown.TotalLabel,
            "累计清理结果：已清除 17 个垃圾文件，共释放 " + FormatByteSize(1271808) + " 磁盘空间");
  EXPECT_TRUE(shown.RecentlyCleaned);
  core::TCleanStatisticsLabels atStart = ShowCleanStatistics(false);
  EXPECT_EQ(atStart.TimeLabel, "上次清理时间：" + Iso(cleaned));
  EXPECT_EQ(atStart.ResultLabel.substr(0, std::string("上次清理结果：").size()), "上次清理结果：");
  EXPECT_TRUE(atStart.RecentlyCleaned);
}

TEST(CleanStatistics, TotalsAboveSixteenGiBGrowInSinglePrecisionSteps) {
  TSettingsFolder folder;
  TSettingsFile file = TSettingsFile::Program();
  file.WriteString(kSection, "TotalCleanSize", "16777216");
  file.WriteString(kSection, "TotalCleanCount", "100");
  RecordCleanStatistics(1, 1000);
  EXPECT_EQ(Key("TotalCleanSize"), "16777216");  // 1000 bytes are below the step
  EXPECT_EQ(Key("TotalCleanCount"), "101");
  RecordCleanStatistics(1, 1536);
  EXPECT_EQ(Key("TotalCleanSize"), "16777218");  // 1.5 KiB becomes a 2 KiB step
  EXPECT_EQ(ShowCleanStatistics(false).TotalLabel,
            "累计清理结果：已清除 102 个垃圾文件，共释放 " + FormatByteSize(16777218LL * 1024) + " 磁盘空间");
}

TEST(CleanStatistics, SameDayCleansAndACleanThatRemovedNothing) {
  TSettingsFolder folder;
  RecordCleanTime();
  RecordCleanStatistics(3, 4096);
  std::string firstDay = Key("PreviousCleanDate");
  TSettingsFile file = TSettingsFile::Program();
  double first = file.ReadDateTime(kSection, "PreviousCleanDate2", 0);
  Sleep(1100);
  RecordCleanTime();
  RecordCleanStatistics(0, 0);
  // Cleans at midnight may straddle two days; otherwise the date stays the same.
  if (core::DateOnly(first) == core::DateOnly(CurrentDateTime())) {
    EXPECT_EQ(Key("PreviousCleanDate"), firstDay);
  }
  EXPECT_GT(file.ReadDateTime(kSection, "PreviousCleanDate2", 0), first);
  EXPECT_EQ(Key("PreviousCleanCount"), "0");
  EXPECT_EQ(Key("PreviousCleanSize"), "0");
  core::TCleanStatisticsLabels shown = ShowCleanStatistics(true);
  EXPECT_EQ(shown.ResultLabel, "本次清理结果：尚未进行过清理。");
  EXPECT_EQ(shown.TotalLabel, "累计清理结果：已清除 3 个垃圾文件，共释放 " + FormatByteSize(4096) + " 磁盘空间");
  EXPECT_EQ(shown.TimeLabel.substr(0, std::string("本次清理时间：").size()), "本次清理时间：");
}

TEST(CleanStatistics, NoCleanYetOrALongTimeAgo) {
  TSettingsFolder folder;
  core::TCleanStatisticsLabels never = ShowCleanStatistics(false);
  EXPECT_EQ(never.TimeLabel, "上次清理时间：尚未进行过清理。");
  EXPECT_EQ(never.ResultLabel, "上次清理结果：尚未进行过清理。");
  EXPECT_EQ(never.TotalLabel, "累计清理结果：尚未进行过清理。");
  EXPECT_FALSE(never.RecentlyCleaned);
  EXPECT_EQ(folder.Bytes(), "<missing>");

  TSettingsFile file = TSettingsFile::Program();
  double now = CurrentDateTime();
  file.WriteDateTime(kSection, "PreviousCleanDate2", now - 3.01);
  EXPECT_FALSE(ShowCleanStatistics(false).RecentlyCleaned);
  EXPECT_TRUE(ShowCleanStatistics(true).RecentlyCleaned);
  file.WriteDateTime(kSection, "PreviousCleanDate2", now - 2.9);
  EXPECT_TRUE(ShowCleanStatistics(false).RecentlyCleaned);
}

TEST(CleanStatistics, CorruptValuesShowAsNothingCleaned) {
  TSettingsFolder folder;
  ASSERT_TRUE(folder.SetBytes(
      "[TraceScanOption]\r\nPreviousCleanDate2=yesterday\r\nPreviousCleanCount=7\r\nPreviousCleanSize=-5\r\n"
      "TotalCleanCount=x\r\nTotalCleanSize=1e300\r\n"));
  core::TCleanStatisticsLabels shown = ShowCleanStatistics(false);
  EXPECT_EQ(shown.TimeLabel, "上次清理时间：尚未进行过清理。");
  EXPECT_EQ(shown.ResultLabel, "上次清理结果：已清除 7 个垃圾文件，共释放 " + FormatByteSize(0) + " 磁盘空间");
  EXPECT_EQ(shown.TotalLabel, "累计清理结果：尚未进行过清理。");
  EXPECT_FALSE(shown.RecentlyCleaned);
  // The next clean starts the totals afresh from what could not be read.
  RecordCleanStatistics(2, 2048);
  EXPECT_EQ(Key("TotalCleanCount"), "2");
  EXPECT_EQ(Key("TotalCleanSize"), "2");
}

TEST(ItemSelection, SavedStatesAndTheKeysAroundThem) {
  TSettingsFolder folder;
  ASSERT_TRUE(folder.SetBytes(
      "[TraceScanOption]\r\n已不存在的项目=1\r\n全部IE缓存=1\r\nIE缓存(不包括IE Cookie)=0\r\n"
      "IE缓存(不包括IE Cookie和IE历史记录)=1\r\nOpera 清理=0\r\n[config]\r\nother=x\r\n"));
  EXPECT_TRUE(ReadItemChecked("FireFox 清理", true));  // not in the file: the recommendation
  EXPECT_FALSE(ReadItemChecked("Windows 日志", false));
  EXPECT_FALSE(ReadItemChecked("Opera 清理", true));
  DeleteOldIECacheKeys();
  WriteItemChecked("上网痕迹", false);
  WriteIETraceCleanMode();
  WriteItemChecked("FireFox 清理", true);
  WriteShow2Days(true);
  EXPECT_EQ(folder.Bytes(),
            "[TraceScanOption]\r\n已不存在的项目=1\r\nOpera 清理=0\r\n上网痕迹=0\r\nIETraceCleanMode=0\r\n"
            "FireFox 清理=1\r\n[config]\r\nother=x\r\nshow2days=1\r\n");
  EXPECT_TRUE(ReadItemChecked("FireFox 清理", false));
  WriteShow2Days(false);
  EXPECT_FALSE(TSettingsFile::Program().ReadBool("config", "show2days", true));
}
