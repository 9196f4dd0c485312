#include "core/ValueText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace core {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Trimmed(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Sign and digits into a 64-bit value within [minValue, maxValue].
bool ParseBoundedInteger(const std::string& text, int64_t minValue, int64_t maxValue, int64_t& value) {
  std::string t = Trimmed(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i == t.size()) return false;
  // Accumulate towards the sign so that the most negative value fits.
  int64_t result = 0;
  for (; i < t.size(); ++i) {
    if (!IsDigit(t[i])) return false;
    int digit = t[i] - '0';
    if (negative) {
      if (result < (minValue + digit) / 10) return false;
      result = result * 10 - digit;
      if (result < minValue) return false;
    } else {
      if (result > (maxValue - digit) / 10) return false;
      result = result * 10 + digit;
    }
  }
  value = result;
  return true;
}

size_t SkipDigits(const std::string& t, size_t i) {
  while (i < t.size() && IsDigit(t[i])) ++i;
  return i;
}

}  // namespace

bool ParseIntegerText(const std::string& text, int32_t& value) {
  int64_t v = 0;
  if (!ParseBoundedInteger(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), v))
    return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool ParseInt64Text(const std::string& text, int64_t& value) {
  return ParseBoundedInteger(text, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                             value);
}

bool ParseFloatText(const std::string& text, double& value) {
  std::string t = Trimmed(text);
  // Check the whole grammar first: from_chars alone would also take "inf", "nan" and a
  // number followed by junk.
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  size_t numberStart = i;
  size_t intEnd = SkipDigits(t, i);
  size_t fracEnd = intEnd;
  if (fracEnd < t.size() && t[fracEnd] == '.') fracEnd = SkipDigits(t, fracEnd + 1);
  bool hasDigits = intEnd > numberStart || fracEnd > intEnd + 1;
  if (!hasDigits) return false;
  i = fracEnd;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    size_t j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    size_t expEnd = SkipDigits(t, j);
    if (expEnd == j) return false;
    i = expEnd;
  }
  if (i != t.size()) return false;
  // from_chars takes '-' but not '+'.
  size_t from = t[0] == '+' ? 1 : 0;
  double v = 0;
  auto result = std::from_chars(t.data() + from, t.data() + t.size(), v, std::chars_format::general);
  if (result.ec != std::errc() || result.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

std::string ShortestFloatText(float value) {
  if (!std::isfinite(value)) return "0";
  char buf[64];  // FLT_MAX in fixed notation has 39 digits
  auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (result.ec != std::errc()) return "0";
  return std::string(buf, result.ptr);
}

}  // namespace core
