#include "app/CleanStatistics.h"

#include "app/LocaleDateTime.h"
#include "system/ResStrings.h"
#include "app/Settings.h"
#include "core/DateTimeValue.h"
#include "res/resource.h"
#include "system/ByteSizeText.h"

namespace {

const char kSection[] = "TraceScanOption";
const char kCleanDate[] = "PreviousCleanDate";
const char kCleanDate2[] = "PreviousCleanDate2";
const char kCleanCount[] = "PreviousCleanCount";
const char kCleanSize[] = "PreviousCleanSize";
const char kTotalCount[] = "TotalCleanCount";
const char kTotalSize[] = "TotalCleanSize";

// The running total in bytes; a value without a byte count reads as nothing cleaned yet.
int64_t StoredTotalBytes(const TSettingsFile& file) {
  int64_t bytes = 0;
  if (!core::TotalKiBToBytes(file.ReadFloat(kSection, kTotalSize, 0), bytes)) bytes = 0;
  return bytes;
}

core::TStatisticsTexts StatisticsTexts() {
  core::TStatisticsTexts texts;
  texts.ThisTime = LoadResString(IDS_STAT_THIS_TIME);
  texts.LastTime = LoadResString(IDS_STAT_LAST_TIME);
  texts.ThisResult = LoadResString(IDS_STAT_THIS_RESULT);
  texts.LastResult = LoadResString(IDS_STAT_LAST_RESULT);
  texts.TotalResult = LoadResString(IDS_STAT_TOTAL_RESULT);
  texts.Never = LoadResString(IDS_STAT_NEVER);
  texts.Cleaned = LoadResString(IDS_STAT_CLEANED);
  return texts;
}

}  // namespace

void RecordCleanTime() {
  TSettingsFile file = TSettingsFile::Program();
  double now = CurrentDateTime();
  file.WriteDateTime(kSection, kCleanDate, core::DateOnly(now));
  file.WriteDateTime(kSection, kCleanDate2, now);
  file.Flush();
}

void RecordCleanStatistics(int32_t count, int64_t bytes) {
  TSettingsFile file = TSettingsFile::Program();
  file.WriteInteger(kSection, kCleanCount, count);
  file.WriteInt64(kSection, kCleanSize, bytes);
  int32_t totalCount = file.ReadInteger(kSection, kTotalCount, 0);
  int64_t totalBytes = StoredTotalBytes(file);
  file.WriteInteger(kSection, kTotalCount, core::AddCleanCount(totalCount, count));
  file.WriteFloat(kSection, kTotalSize, core::TotalKiBAfterClean(totalBytes, bytes));
  file.Flush();
}

core::TCleanStatisticsLabels ShowCleanStatistics(bool justCleaned) {
  TSettingsFile file = TSettingsFile::Program();
  core::TCleanStatisticsValues values;
  values.LastClean = file.ReadDateTime(kSection, kCleanDate2, 0);
  values.LastCount = file.ReadInteger(kSection, kCleanCount, 0);
  int64_t lastBytes = file.ReadInt64(kSection, kCleanSize, 0);
  values.LastSizeText = FormatByteSize(lastBytes < 0 ? 0 : lastBytes);
  values.TotalCount = file.ReadInteger(kSection, kTotalCount, 0);
  int64_t totalBytes = StoredTotalBytes(file);
  values.TotalSizeText = FormatByteSize(totalBytes < 0 ? 0 : totalBytes);
  return core::ComposeStatisticsLabels(StatisticsTexts(), values, justCleaned, CurrentDateTime());
}
