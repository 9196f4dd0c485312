#include "core/NameList.h"

#include <gtest/gtest.h>

using core::TNameList;

TEST(NameList, KeepsOrderAndFindsAnyAsciiLetterCase) {
  TNameList list;
  list.Add(".TXT");
  list.Add("{0A1B}");
  list.Add("txtfile");
  list.Add(".txt");  // listed twice, found once
  EXPECT_EQ(list.Names(), (std::vector<std::string>{".TXT", "{0A1B}", "txtfile", ".txt"}));
  EXPECT_TRUE(list.Contains(".Txt"));
  EXPECT_TRUE(list.Contains("{0a1b}"));
  EXPECT_FALSE(list.Contains("txtfile2"));
  EXPECT_FALSE(list.Contains(""));
  // 0x81 0x41 is one double-byte character whose trail byte looks like "A": it must not
  // match 0x81 0x61, another character.
  list.Add("\x81\x41" "x");
  EXPECT_TRUE(list.Contains("\x81\x41" "X"));
  EXPECT_FALSE(list.Contains("\x81\x61" "x"));
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(list.Contains(".txt"));
}
