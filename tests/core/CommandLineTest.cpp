#include "core/CommandLine.h"

#include <gtest/gtest.h>

using core::HasIEHistorySwitch;
using core::IsCleanNowRun;
using core::SplitCommandLine;

typedef std::vector<std::string> Args;

TEST(SplitCommandLine, BlanksSeparateQuotesGroupAndAreDropped) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Purvex.exe\"  /iehistory\tx"),
            (Args{"C:\\Program Files\\Purvex.exe", "/iehistory", "x"}));
  EXPECT_EQ(SplitCommandLine("a\"b c\"d"), (Args{"ab cd"}));
  EXPECT_EQ(SplitCommandLine("a \"\" b"), (Args{"a", "", "b"}));
  EXPECT_EQ(SplitCommandLine("a \"unterminated b"), (Args{"a", "unterminated b"}));
  EXPECT_EQ(SplitCommandLine("   "), Args{});
  EXPECT_EQ(SplitCommandLine(""), Args{});
}

TEST(SplitCommandLine, BackslashIsAnOrdinaryCharacter) {
  EXPECT_EQ(SplitCommandLine("p \"C:\\dir\\\" next"), (Args{"p", "C:\\dir\\", "next"}));
}

TEST(SplitCommandLine, KeepsDoubleByteCharactersWhole) {
  // "C:\软件\清理.exe": GBK bytes, none of them a blank or a quote.
  std::string path = "C:\\软件\\清理.exe";
  EXPECT_EQ(SplitCommandLine("\"" + path + "\" 参数"), (Args{path, "参数"}));
}

TEST(IEHistorySwitch, ExactArgumentAnywhereAfterTheProgram) {
  EXPECT_TRUE(HasIEHistorySwitch({"Purvex.exe", "/iehistory"}));
  EXPECT_TRUE(HasIEHistorySwitch({"Purvex.exe", "CleanNow", "x", "/iehistory"}));
  EXPECT_FALSE(HasIEHistorySwitch({"Purvex.exe"}));
  EXPECT_FALSE(HasIEHistorySwitch({"/iehistory"}));  // the program token itself
  for (const char* near : {"-iehistory", "/IEHistory", "/IEHISTORY", "/iehistory ", "iehistory",
                           "/iehistoryx", "//iehistory"})
    EXPECT_FALSE(HasIEHistorySwitch({"Purvex.exe", near})) << near;
}

TEST(CleanNowRun, OnlyAsTheFirstArgumentAndExact) {
  EXPECT_TRUE(IsCleanNowRun({"Purvex.exe", "CleanNow"}));
  EXPECT_TRUE(IsCleanNowRun({"Purvex.exe", "CleanNow", "more"}));
  EXPECT_FALSE(IsCleanNowRun({"Purvex.exe", "x", "CleanNow"}));
  EXPECT_FALSE(IsCleanNowRun({"Purvex.exe", "cleannow"}));
  EXPECT_FALSE(IsCleanNowRun({"CleanNow"}));
}
