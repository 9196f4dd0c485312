#include "app/Settings.h"

#include <gtest/gtest.h>

#include <random>

#include "app/LocaleDateTime.h"
#include "core/DateTimeValue.h"
#include "settings/SettingsFolder.h"

namespace {
const char kSection[] = "TraceScanOption";
}  // namespace

TEST(SettingsFile, LiesInTheProgramFolder) {
  TSettingsFolder folder;
  EXPECT_EQ(SettingsFilePath(), folder.Dir() + "Marvolent.set");
  // Before the context knows the folder: the folder of the running executable.
  TAppContext empty;
  TAppContext* previous = SetAppContext(&empty);
  std::string dir = ProgramFolder();
  SetAppContext(previous);
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '\\');
  EXPECT_EQ(std::string(exe).substr(0, dir.size()), dir);
  EXPECT_EQ(std::string(exe).find('\\', dir.size()), std::string::npos);
}

TEST(SettingsFile, TypedValuesAsText) {
  TSettingsFolder folder;
  TSettingsFile file = TSettingsFile::Program();
  EXPECT_TRUE(file.WriteBool(kSection, "FireFox 清理", true));
  EXPECT_TRUE(file.WriteBool(kSection, "Opera", false));
  EXPECT_TRUE(file.WriteInteger(kSection, "Count", -42));
  EXPECT_TRUE(file.WriteInt64(kSection, "Size", 123456789012345LL));
  EXPECT_TRUE(file.WriteFloat(kSection, "Float", 1.1f));
  EXPECT_EQ(folder.Bytes(),
            "[TraceScanOption]\r\nFireFox 清理=1\r\nOpera=0\r\nCount=-42\r\nSize=123456789012345\r\nFloat=1.1\r\n");
  EXPECT_TRUE(file.ReadBool(kSection, "firefox 清理", false));
  EXPECT_FALSE(file.ReadBool(kSection, "OPERA", true));
  EXPECT_EQ(file.ReadInteger(kSection, "Count", 0), -42);
  EXPECT_EQ(file.ReadInt64(kSection, "Size", 0), 123456789012345LL);
  EXPECT_EQ(static_cast<float>(file.ReadFloat(kSection, "Float", 0)), 1.1f);
  EXPECT_TRUE(file.DeleteKey(kSection, "Opera"));
  EXPECT_TRUE(file.ReadBool(kSection, "Opera", true));
}

TEST(SettingsFile, TextsOfTheWrongTypeGiveTheDefault) {
  TSettingsFolder folder;
  ASSERT_TRUE(folder.SetBytes(
      "[TraceScanOption]\r\nTwo=2\r\nMinus=-1\r\nZero=0\r\nWord=abc\r\nEmpty=\r\nSpaced=  1  \r\n"
      "Frac=1.5\r\nHuge=99999999999999999999\r\nFloatWord=1,5\r\nInf=1e999\r\nDate=2024/13/1\r\n"));
  TSettingsFile file = TSettingsFile::Program();
  EXPECT_TRUE(file.ReadBool(kSection, "Two", false));
  EXPECT_TRUE(file.ReadBool(kSection, "Minus", false));
  EXPECT_FALSE(file.ReadBool(kSection, "Zero", true));
  EXPECT_TRUE(file.ReadBool(kSection, "Spaced", false));
  for (const char* key : {"Word", "Empty", "Frac", "Huge"}) {
    EXPECT_TRUE(file.ReadBool(kSection, key, true)) << key;
    EXPECT_FALSE(file.ReadBool(kSection, key, false)) << key;
    EXPECT_EQ(file.ReadInteger(kSection, key, 7), 7) << key;
  }
  EXPECT_EQ(file.ReadInt64(kSection, "Huge", 7), 7);
  EXPECT_EQ(file.ReadFloat(kSection, "FloatWord", 7), 7);
  EXPECT_EQ(file.ReadFloat(kSection, "Inf", 7), 7);
  EXPECT_EQ(file.ReadDateTime(kSection, "Date", 7), 7);
  EXPECT_EQ(file.ReadDateTime(kSection, "Word", 7), 7);
}

TEST(SettingsFile, MissingOrCorruptFilesReadAsDefaults) {
  TSettingsFolder folder;
  TSettingsFile file = TSettingsFile::Program();
  EXPECT_TRUE(file.ReadBool(kSection, "a", true));
  EXPECT_EQ(file.ReadInteger(kSection, "a", 5), 5);
  EXPECT_EQ(file.ReadDateTime(kSection, "a", 0), 0);
  EXPECT_EQ(folder.Bytes(), "<missing>");  // reading creates nothing

  std::mt19937 rng(5);
  std::string garbage(64 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(rng());
  std::string longLine = "[TraceScanOption]\r\nCount=" + std::string(1 << 20, '1') + "\r\nZeros=" +
                         std::string(1 << 20, '0') + "x\r\nAfter=3\r\n";
  for (const std::string& bytes : {garbage, "[TraceScanOption]\r\n" + garbage, longLine}) {
    ASSERT_TRUE(folder.SetBytes(bytes));
    EXPECT_EQ(file.ReadInteger(kSection, "Count", 5), 5);
    EXPECT_EQ(file.ReadInteger(kSection, "Zeros", 5), 5);  // cut to zeros, still not a number
    EXPECT_EQ(file.ReadDateTime(kSection, "Count", 0), 0);
    EXPECT_EQ(file.ReadFloat(kSection, "Count", 0), 0);
  }
  EXPECT_EQ(file.ReadInteger(kSection, "After", 0), 3);
}

// The file is shared: a write changes its own key and keeps every other line as it was.
TEST(SettingsFile, WritesKeepTheOtherProgramsKeysAndText) {
  TSettingsFolder folder;
  const std::string others =
      "[主程序]\r\n窗口位置=10,20\r\n; 注释\r\n[TraceScanOption]\r\n已删除的项目=1\r\nPreviousCleanCount=3\r\n";
  ASSERT_TRUE(folder.SetBytes(others));
  TSettingsFile file = TSettingsFile::Program();
  EXPECT_TRUE(file.WriteInteger(kSection, "PreviousCleanCount", 4));
  EXPECT_TRUE(file.WriteBool(kSection, "新项目", true));
  file.Flush();
  EXPECT_EQ(folder.Bytes(),
            "[主程序]\r\n窗口位置=10,20\r\n; 注释\r\n[TraceScanOption]\r\n已删除的项目=1\r\nPreviousCleanCount=4\r\n"
            "新项目=1\r\n");
}

TEST(SettingsFile, DateTimesInTheUsersFormatReadBackExactly) {
  TSettingsFolder folder;
  TSettingsFile file = TSettingsFile::Program();
  double now = CurrentDateTime();
  core::TDateTimeFields f;
  ASSERT_TRUE(core::DecodeDateTime(now, f));
  f.Millisecond = 0;  // the text holds whole seconds
  double wholeSeconds = 0;
  ASSERT_TRUE(core::EncodeDateTime(f, wholeSeconds));

  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(f.Year), st.wMonth = static_cast<WORD>(f.Month), st.wDay = static_cast<WORD>(f.Day);
  st.wHour = static_cast<WORD>(f.Hour), st.wMinute = static_cast<WORD>(f.Minute);
  st.wSecond = static_cast<WORD>(f.Second);
  char date[128], time[128];
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time);
  std::string expected = std::string(date) + (f.Hour || f.Minute || f.Second ? std::string(" ") + time : "");

  EXPECT_TRUE(file.WriteDateTime(kSection, "Now", now));
  EXPECT_TRUE(file.WriteDateTime(kSection, "Today", core::DateOnly(now)));
  EXPECT_EQ(file.ReadString(kSection, "Now", ""), expected);
  EXPECT_EQ(file.ReadString(kSection, "Today", ""), date);
  EXPECT_EQ(file.ReadDateTime(kSection, "Now", 0), wholeSeconds);
  EXPECT_EQ(file.ReadDateTime(kSection, "Today", 0), core::DateOnly(now));

  // Times all round the clock on a spread of days read back as written.
  for (int s = 0; s < 86400; s += 7) {
    core::TDateTimeFields g;
    g.Year = 1990 + s % 60, g.Month = 1 + s % 12, g.Day = 1 + s % 28;
    g.Hour = s / 3600, g.Minute = s / 60 % 60, g.Second = s % 60;
    double v = 0, back = -1;
    ASSERT_TRUE(core::EncodeDateTime(g, v));
    std::string text = FormatLocalDateTime(v);
    ASSERT_TRUE(ParseLocalDateTime(text, back)) << text;
    ASSERT_EQ(back, v) << text;
  }
}
