// The width table measures a GBK text as GDI measures its conversion, or declines it.
#include <gtest/gtest.h>
#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "system/WideText.h"
#include "ui/TextWidthTable.h"

namespace {

class TTextWidthTableTest : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    dc_ = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc_, nullptr);
    font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, GetParam());
    ASSERT_NE(font_, nullptr);
    old_ = SelectObject(dc_, font_);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }

  int GdiWidth(const std::string& gbk) const {
    std::wstring text = WideFromGbk(gbk);
    SIZE size = {};
    GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size);
    return size.cx;
  }

  HDC dc_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
  TTextWidthTable table_;
};

TEST_P(TTextWidthTableTest, GbkTextsMeasureAsTheirConversion) {
  const std::vector<std::string> texts = {
      "",
      "file00001.tmp",
      "C:\\Documents and Settings\\用户\\Local Settings\\Temp\\扫描07\\file00042.tmp",
      "垃圾文件清理",
      "1234567用",        // a pair straddling the first eight bytes
      "12345678\x81\x40",  // the first pair of the first lead byte
      "\xFE\xFE\xFE\x40",  // the last lead byte
      "Tab\tand\x01control",
      std::string("nul\0inside", 10),
  };
  for (const std::string& text : texts) {
    int width = -1;
    ASSERT_TRUE(table_.GbkWidth(dc_, text.data(), text.size(), width)) << text;
    EXPECT_EQ(width, table_.Width(dc_, WideFromGbk(text))) << text;
    if (text.find('\0') == std::string::npos) {
      EXPECT_EQ(width, GdiWidth(text)) << text;
    }
  }
  int width = 0;
  std::string wide = "宽字";
  ASSERT_TRUE(table_.GbkWidth(dc_, wide.data(), wide.size(), width));
  EXPECT_GT(width, 0);
}

TEST_P(TTextWidthTableTest, BytesThatStartNoPairAreLeftToTheConversion) {
  for (const std::string& text : {std::string("ends in a lead \xB0"), std::string("euro \x80"),
                                  std::string("\xFF"), std::string("\xB0" "0 digit trail")}) {
    int width = -7;
    EXPECT_FALSE(table_.GbkWidth(dc_, text.data(), text.size(), width)) << text;
    EXPECT_EQ(width, -7);
  }
  // Declining one text leaves the table right for the next.
  const std::string text = "用户 file";
  int width = 0;
  ASSERT_TRUE(table_.GbkWidth(dc_, text.data(), text.size(), width));
  EXPECT_EQ(width, GdiWidth(text));
}

// Random bytes, most of them high: the table never disagrees with the conversion, and the
// bold font and a Reset table agree too.
TEST_P(TTextWidthTableTest, RandomBytesNeverMeasureOtherwiseThanConverted) {
  std::mt19937 random(20261210);
  int measured = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text(random() % 24, '\0');
    for (char& c : text) {
      unsigned r = random() % 4;
      c = static_cast<char>(r == 0 ? 0x20 + random() % 0x5F : 0x80 + random() % 0x80);
    }
    int width = 0;
    if (!table_.GbkWidth(dc_, text.data(), text.size(), width)) continue;
    ++measured;
    ASSERT_EQ(width, table_.Width(dc_, WideFromGbk(text))) << "round " << round;
    if (round % 100 == 0) {
      ASSERT_EQ(width, GdiWidth(text)) << "round " << round;
    }
  }
  EXPECT_GT(measured, 300);

  LOGFONTW lf;
  GetObjectW(font_, sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  HFONT bold = CreateFontIndirectW(&lf);
  SelectObject(dc_, bold);
  table_.Reset();
  const std::string text = "清理 C:\\Temp\\文件.tmp";
  int width = 0;
  ASSERT_TRUE(table_.GbkWidth(dc_, text.data(), text.size(), width));
  EXPECT_EQ(width, GdiWidth(text));
  SelectObject(dc_, font_);
  DeleteObject(bold);
}

INSTANTIATE_TEST_SUITE_P(Fonts, TTextWidthTableTest, ::testing::Values(L"宋体", L"Tahoma"));

}  // namespace
