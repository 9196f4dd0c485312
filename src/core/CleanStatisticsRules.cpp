#include "core/CleanStatisticsRules.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "core/DateTimeValue.h"

namespace core {

bool TotalKiBToBytes(double storedKiB, int64_t& bytes) {
  if (!std::isfinite(storedKiB) || std::fabs(storedKiB) > FLT_MAX) return false;
  float kib = static_cast<float>(storedKiB);
  float product = kib * 1024.0f;
  // 2^63 is exact in single precision; everything below it fits a 64-bit count.
  const float limit = 9223372036854775808.0f;
  float rounded = std::nearbyint(product);
  if (!std::isfinite(rounded) || rounded >= limit || rounded < -limit) return false;
  bytes = static_cast<int64_t>(rounded);
  return true;
}

float TotalKiBAfterClean(int64_t totalBytes, int64_t cleanedBytes) {
  int64_t sum;
  if (__builtin_add_overflow(totalBytes, cleanedBytes, &sum))
    sum = cleanedBytes > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
  // One rounding: the integer to single precision; dividing by 1024 is then exact.
  return static_cast<float>(sum) / 1024.0f;
}

int32_t AddCleanCount(int32_t total, int32_t count) {
  int64_t sum = static_cast<int64_t>(total) + count;
  if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(sum);
}

bool CountsAsRecentlyCleaned(bool justCleaned, double lastClean, double now) {
  return justCleaned || WholeDaysBetween(lastClean, now) <= 2;
}

std::string FillCleanedText(const std::string& format, int32_t count, const std::string& sizeText) {
  std::string out;
  bool countDone = false, sizeDone = false;
  for (size_t i = 0; i < format.size(); ++i) {
    // '%' is never the trail byte of a double-byte character.
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == 'd' && !countDone) {
        out += std::to_string(count);
        countDone = true;
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && !sizeDone) {
        out += sizeText;
        sizeDone = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

TCleanStatisticsLabels ComposeStatisticsLabels(const TStatisticsTexts& texts, const TCleanStatisticsValues& values,
                                               bool justCleaned, double now) {
  TCleanStatisticsLabels labels;
  TDateTimeFields when;
  labels.TimeLabel = justCleaned ? texts.ThisTime : texts.LastTime;
  if (values.LastClean != 0 && DecodeDateTime(values.LastClean, when))
    labels.TimeLabel += FormatIsoDateTime(when);
  else
    labels.TimeLabel += texts.Never;
  labels.RecentlyCleaned = CountsAsRecentlyCleaned(justCleaned, values.LastClean, now);

  labels.ResultLabel = justCleaned ? texts.ThisResult : texts.LastResult;
  labels.ResultLabel += values.LastCount != 0 ? FillCleanedText(texts.Cleaned, values.LastCount, values.LastSizeText)
                                              : texts.Never;
  labels.TotalLabel = texts.TotalResult;
  labels.TotalLabel += values.TotalCount != 0
                           ? FillCleanedText(texts.Cleaned, values.TotalCount, values.TotalSizeText)
                           : texts.Never;
  return labels;
}

}  // namespace core
