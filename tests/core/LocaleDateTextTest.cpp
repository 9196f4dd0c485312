#include "core/LocaleDateText.h"

#include <gtest/gtest.h>

#include <random>

using namespace core;

namespace {

TLocaleDateTimeFormat Chinese() {
  TLocaleDateTimeFormat f;
  f.DatePicture = "yyyy/M/d";
  f.TimePicture = "HH:mm:ss";
  f.AMDesignator = "上午";
  f.PMDesignator = "下午";
  return f;
}

// "y-m-d h:m:s" of a parse, or "fail".
std::string Parsed(const std::string& text, const TLocaleDateTimeFormat& format) {
  TDateTimeFields f;
  if (!ParseLocaleDateTime(text, format, f)) return "fail";
  return FormatIsoDateTime(f);
}

}  // namespace

TEST(LocaleDateText, ReadsTheChineseShortDateAndLongTime) {
  TLocaleDateTimeFormat f = Chinese();
  EXPECT_EQ(Parsed("2024/5/6 09:05:07", f), "2024-05-06 09:05:07");
  EXPECT_EQ(Parsed("2024/12/31 23:59:59", f), "2024-12-31 23:59:59");
  // The date alone is midnight; stray spaces around are accepted.
  EXPECT_EQ(Parsed("2024/5/6", f), "2024-05-06 00:00:00");
  EXPECT_EQ(Parsed("  2024/5/6   9:05:07 ", f), "2024-05-06 09:05:07");
}

TEST(LocaleDateText, OtherPicturesOfTheSystem) {
  TLocaleDateTimeFormat f;
  f.DatePicture = "yyyy'年'M'月'd'日' dddd";
  f.TimePicture = "tt h:mm:ss";
  f.AMDesignator = "上午";
  f.PMDesignator = "下午";
  f.DayNames = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
  EXPECT_EQ(Parsed("2024年5月6日 星期一 下午 3:04:05", f), "2024-05-06 15:04:05");
  EXPECT_EQ(Parsed("2024年5月6日 星期一 上午 12:04:05", f), "2024-05-06 00:04:05");
  EXPECT_EQ(Parsed("2024年5月6日 星期一 下午 12:00:01", f), "2024-05-06 12:00:01");
  EXPECT_EQ(Parsed("2024年5月6日 星期八 下午 3:04:05", f), "fail");

  TLocaleDateTimeFormat us;
  us.DatePicture = "dd-MMM-yy";
  us.TimePicture = "h:mm:ss tt";
  us.AMDesignator = "AM";
  us.PMDesignator = "PM";
  us.AbbrevMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  EXPECT_EQ(Parsed("06-may-24 7:08:09 pm", us), "2024-05-06 19:08:09");
  EXPECT_EQ(Parsed("06-May-30", us), "1930-05-06 00:00:00");  // two-digit years end with 2029
  EXPECT_EQ(Parsed("06-Mai-24", us), "fail");

  TLocaleDateTimeFormat quotes;
  quotes.DatePicture = "d 'o''c' M yyyy";  // two quotes inside quotes stand for one
  quotes.TimePicture = "HH:mm";
  EXPECT_EQ(Parsed("6 o'c 5 2024 07:08", quotes), "2024-05-06 07:08:00");
}

TEST(LocaleDateText, TextsThatAreNoDateFail) {
  TLocaleDateTimeFormat f = Chinese();
  for (const char* text : {"", "abc", "2024/13/1", "2024/2/30", "2023/2/29", "2024/5/6 24:00:00",
                           "2024/5/6 9:60:00", "2024/5/6 9:05:07 x", "2024-5-6", "2024/5", "0/1/1",
                           "2024/5/6 9:05:07:01", "１２３４/5/6", "2024/5/6/7"}) {
    TDateTimeFields untouched;
    untouched.Year = 1234;
    EXPECT_FALSE(ParseLocaleDateTime(text, f, untouched)) << text;
    EXPECT_EQ(untouched.Year, 1234);
  }
}

// Whatever the bytes, pictures or names, parsing returns.
TEST(LocaleDateText, ArbitraryBytesNeverCrash) {
  std::mt19937 rng(7);
  const std::string alphabet = "yMdHhmst'g/: 0123456789\x81\xfe\x5c";
  auto randomText = [&](size_t maxLen, bool fromAlphabet) {
    std::string s(rng() % maxLen, '\0');
    for (char& c : s) c = fromAlphabet ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng());
    return s;
  };
  for (int i = 0; i < 20000; ++i) {
    TLocaleDateTimeFormat f;
    f.DatePicture = randomText(12, true);
    f.TimePicture = randomText(12, true);
    f.AMDesignator = randomText(3, false);
    f.MonthNames = {randomText(4, false), ""};
    f.DayNames = {randomText(4, false)};
    TDateTimeFields out;
    ParseLocaleDateTime(randomText(24, i % 2 == 0), f, out);
  }
}
