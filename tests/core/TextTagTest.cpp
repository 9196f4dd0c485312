// Shared tag texts: equal texts are one copy, a tag reads and compares as its text.
#include <gtest/gtest.h>

#include <string>

#include "core/TextTag.h"

using core::TTextTag;

TEST(TextTag, EqualTextsAreOneCopyAndReadAsTheirText) {
  const size_t before = core::TextTagCount();
  const TTextTag a("HKEY_CURRENT_USER"), b(std::string("HKEY_") + "CURRENT_USER"), other("LnkFile");
  EXPECT_EQ(&a.str(), &b.str());
  EXPECT_EQ(a, b);
  EXPECT_NE(a, other);
  EXPECT_LE(core::TextTagCount(), before + 2);
  EXPECT_TRUE(a == "HKEY_CURRENT_USER" && "LnkFile" == other && a != std::string("HKEY_USERS"));
  EXPECT_EQ(a + "\\Software", "HKEY_CURRENT_USER\\Software");
  EXPECT_EQ(std::string("x") + other, "xLnkFile");
  const std::string& text = a;
  EXPECT_EQ(text.size(), 17u);

  TTextTag empty, fromNull(static_cast<const char*>(nullptr));
  EXPECT_TRUE(empty.empty() && fromNull.empty());
  EXPECT_EQ(empty, fromNull);
  empty = "文件";
  EXPECT_EQ(empty.str(), "文件");
  EXPECT_EQ(empty.size(), std::string("文件").size());
}
