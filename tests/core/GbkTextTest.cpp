#include "core/GbkText.h"

#include <gtest/gtest.h>

using namespace core;

// "\x95\x5c" is a GBK character whose trail byte is a backslash; "\x81\x41" and "\x81\x61"
// are two different characters whose trail bytes look like 'A' and 'a'.
TEST(GbkText, CaseChangesStepOverDoubleByteCharacters) {
  EXPECT_EQ(LowerGbk("C:\\Program Files\\\x81\x41X"), "c:\\program files\\\x81\x41x");
  EXPECT_EQ(UpperGbk("abc\x81\x61z"), "ABC\x81\x61Z");
  EXPECT_FALSE(SameTextGbk("\x81\x41", "\x81\x61"));
  EXPECT_TRUE(SameTextGbk("C:\\Windows\\软件", "c:\\WINDOWS\\软件"));
  EXPECT_NE(CompareTextGbk("a", "B"), 0);
  EXPECT_LT(CompareTextGbk("a", "B"), 0);
}

TEST(GbkText, SearchesNeverMatchATrailByte) {
  std::string path = "C:\\\x95\x5c\\x.txt";  // C:\<char>\x.txt
  EXPECT_EQ(FindCharGbk(path, '\\'), 2u);
  EXPECT_EQ(FindCharGbk(path, '\\', 3), 5u);
  EXPECT_EQ(FindLastCharGbk(path, '\\'), 5u);
  EXPECT_EQ(FindLastCharGbk("\x95\x5c", '\\'), std::string::npos);
  EXPECT_EQ(FindGbk("\x95\x5c\\x", "\\x"), 2u);
  EXPECT_EQ(FindGbk("abc", "d"), std::string::npos);
  // A lone lead byte at the end is one character.
  EXPECT_EQ(FindCharGbk("a\x95", '\x95'), 1u);
}
