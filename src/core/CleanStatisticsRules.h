// The arithmetic and the home-page texts of the cleaning statistics. The running total
// size is kept in KiB as a single-precision number, as the family's programs share it:
// about seven significant digits, so above 16,777,216 KiB small cleans are rounded away.
#pragma once
#include <cstdint>
#include <string>

namespace core {

// The stored total ("TotalCleanSize", as read) in bytes: rounded to single precision,
// times 1024 in single precision, rounded to the nearest integer. False when the value
// has no byte count (beyond the single-precision or the 64-bit range).
bool TotalKiBToBytes(double storedKiB, int64_t& bytes);

// The new stored total after a clean: (total + cleaned) / 1024 in single precision.
float TotalKiBAfterClean(int64_t totalBytes, int64_t cleanedBytes);

// The new total count; stops at the ends of the 32-bit range instead of wrapping.
int32_t AddCleanCount(int32_t total, int32_t count);

// The computer counts as recently cleaned right after a clean, or when the last clean
// lies at most two whole days from now. A last clean of 0 means never.
bool CountsAsRecentlyCleaned(bool justCleaned, double lastClean, double now);

// Label texts of the string table.
struct TStatisticsTexts {
  std::string ThisTime;     // "本次清理时间："
  std::string LastTime;     // "上次清理时间："
  std::string ThisResult;   // "本次清理结果："
  std::string LastResult;   // "上次清理结果："
  std::string TotalResult;  // "累计清理结果："
  std::string Never;        // "尚未进行过清理。"
  std::string Cleaned;      // "已清除 %d 个垃圾文件，共释放 %s 磁盘空间"
};

// What the settings file says, sizes already as text.
struct TCleanStatisticsValues {
  double LastClean = 0;  // "PreviousCleanDate2"
  int32_t LastCount = 0;
  std::string LastSizeText;
  int32_t TotalCount = 0;
  std::string TotalSizeText;
};

struct TCleanStatisticsLabels {
  std::string TimeLabel;
  std::string ResultLabel;
  std::string TotalLabel;
  bool RecentlyCleaned = false;
};

// The three home-page labels and the recently-cleaned answer.
TCleanStatisticsLabels ComposeStatisticsLabels(const TStatisticsTexts& texts, const TCleanStatisticsValues& values,
                                               bool justCleaned, double now);

// format with its first "%d" replaced by count and its first "%s" by sizeText; no other
// sequence is interpreted, so any format text is safe.
std::string FillCleanedText(const std::string& format, int32_t count, const std::string& sizeText);

}  // namespace core
