#include "core/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

using namespace core;

namespace {
// Digits of a fixed-notation text without sign, point, leading and trailing zeros.
int SignificantDigits(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 1;
  size_t last = digits.find_last_not_of('0');
  return static_cast<int>(last - first + 1);
}
}  // namespace

TEST(ValueText, IntegerTexts) {
  struct Row {
    const char* text;
    bool ok;
    int32_t value;
  } rows[] = {
      {"0", true, 0},           {"1", true, 1},       {" -17\t", true, -17}, {"+5", true, 5},
      {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0}, {"-2147483649", false, 0}, {"", false, 0}, {"-", false, 0},
      {"1.0", false, 0},        {"0x10", false, 0},   {"1 2", false, 0},   {"abc", false, 0},
      {"00000000000000000000000000001", true, 1},
  };
  for (const Row& row : rows) {
    int32_t v = 0x5eed;
    EXPECT_EQ(ParseIntegerText(row.text, v), row.ok) << row.text;
    EXPECT_EQ(v, row.ok ? row.value : 0x5eed) << row.text;
  }
  int64_t big = 0;
  EXPECT_TRUE(ParseInt64Text("9223372036854775807", big));
  EXPECT_EQ(big, INT64_MAX);
  EXPECT_TRUE(ParseInt64Text("-9223372036854775808", big));
  EXPECT_EQ(big, INT64_MIN);
  EXPECT_FALSE(ParseInt64Text("9223372036854775808", big));
  EXPECT_FALSE(ParseInt64Text(std::string(1 << 20, '9'), big));
  EXPECT_EQ(big, INT64_MIN);
}

TEST(ValueText, FloatTexts) {
  double v = 0;
  EXPECT_TRUE(ParseFloatText("16777216", v));
  EXPECT_EQ(v, 16777216.0);
  EXPECT_TRUE(ParseFloatText(" -0.5 ", v));
  EXPECT_EQ(v, -0.5);
  EXPECT_TRUE(ParseFloatText("+1.5E3", v));
  EXPECT_EQ(v, 1500.0);
  EXPECT_TRUE(ParseFloatText(".25", v));
  EXPECT_EQ(v, 0.25);
  EXPECT_TRUE(ParseFloatText("3.", v));
  EXPECT_EQ(v, 3.0);
  v = 42;
  for (const char* bad : {"", ".", "-", "1,5", "1e", "1e+", "inf", "nan", "0x1p3", "1.5.2", "1e400", "12abc", "e5"})
    EXPECT_FALSE(ParseFloatText(bad, v)) << bad;
  EXPECT_EQ(v, 42);
}

TEST(ValueText, ShortestFloatTextReadsBackExactly) {
  EXPECT_EQ(ShortestFloatText(0.0f), "0");
  EXPECT_EQ(ShortestFloatText(1.1f), "1.1");
  EXPECT_EQ(ShortestFloatText(0.5f), "0.5");
  EXPECT_EQ(ShortestFloatText(16777216.0f), "16777216");
  EXPECT_EQ(ShortestFloatText(16777218.0f), "16777218");
  EXPECT_EQ(ShortestFloatText(1e10f), "10000000000");
  EXPECT_EQ(ShortestFloatText(-2.75f), "-2.75");
  EXPECT_EQ(ShortestFloatText(NAN), "0");
  // Random bit patterns of every exponent: the text is the float again.
  std::mt19937 rng(11);
  for (int i = 0; i < 200000; ++i) {
    uint32_t bits = rng();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    if (!std::isfinite(f)) continue;
    std::string text = ShortestFloatText(f);
    ASSERT_EQ(text.find_first_of("eE,"), std::string::npos) << text;
    double back = 0;
    ASSERT_TRUE(ParseFloatText(text, back)) << text;
    ASSERT_EQ(static_cast<float>(back), f) << text;
    // As few significant digits as any text that reads back. (Above 2^24 every digit of
    // the integer part is written, so all candidates have the same length.)
    if (std::fabs(f) >= 16777216.0f) continue;
    int shortest = 1;
    char buf[64];
    for (; shortest < 9; ++shortest) {
      std::snprintf(buf, sizeof buf, "%.*g", shortest, static_cast<double>(f));
      if (std::strtof(buf, nullptr) == f) break;
    }
    ASSERT_EQ(SignificantDigits(text), shortest) << text;
  }
}
