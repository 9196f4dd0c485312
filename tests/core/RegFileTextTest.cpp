// The text of the backup file, against the lines a registry editor writes.
#include <gtest/gtest.h>

#include "core/RegFileText.h"

using namespace core;

TEST(RegFileText, NamesStringsAndDwords) {
  EXPECT_EQ(RegKeyHeader(L"HKEY_LOCAL_MACHINE", L"SOFTWARE\\Wow6432Node\\A"), L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\A]");
  EXPECT_EQ(RegNamePart(L""), L"@");
  EXPECT_EQ(RegNamePart(L"C:\\a \"b\""), L"\"C:\\\\a \\\"b\\\"\"") << "quotes in names are escaped too";
  EXPECT_EQ(RegStringLine(L"@", L""), L"@=\"\"");
  EXPECT_EQ(RegStringLine(L"\"v\"", L"say \"hi\" C:\\x"), L"\"v\"=\"say \\\"hi\\\" C:\\\\x\"");
  EXPECT_EQ(RegDwordLine(L"\"d\"", 0xFFFFFFFFu), L"\"d\"=dword:FFFFFFFF");
  EXPECT_EQ(RegDwordLine(L"@", 10), L"@=dword:0000000A");
  EXPECT_EQ(BackupFileName(2026, 1, 2, 3, 4, 5), "20260102030405.reg");
}

TEST(RegFileText, HexadecimalFormWrapsAfterACommaAtSeventySevenCharacters) {
  EXPECT_EQ(RegHexLine(L"\"b\"", 3, 3, ""), L"\"b\"=hex:");
  EXPECT_EQ(RegHexLine(L"\"b\"", 3, 3, std::string(1, '\xab')), L"\"b\"=hex:AB") << "no comma after the last byte";
  EXPECT_EQ(RegHexLine(L"@", 1, 7, std::string("a\0\0\0", 4)), L"@=hex(7):61,00,00,00");
  EXPECT_EQ(RegHexLine(L"@", 1, 11, std::string(8, '\0')), L"@=hex(B):00,00,00,00,00,00,00,00");
  const std::wstring text = RegHexLine(L"\"long\"", 6, 3, std::string(300, '\x5a'));
  // Every line but the last ends in "\" and each continuation begins with two blanks.
  size_t lines = 0, start = 0, bytes = 0;
  for (;;) {
    const size_t end = text.find(L"\r\n", start);
    const std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
    EXPECT_LE(line.size(), 80u) << line.size();
    if (lines > 0) {
      EXPECT_EQ(line.compare(0, 2, L"  "), 0);
    }
    for (size_t at = line.find(L"5A"); at != std::wstring::npos; at = line.find(L"5A", at + 2)) ++bytes;
    ++lines;
    if (end == std::wstring::npos) {
      EXPECT_NE(line.back(), L',');
      break;
    }
    EXPECT_EQ(line.substr(line.size() - 2), L",\\");
    start = end + 2;
  }
  EXPECT_EQ(bytes, 300u);
  EXPECT_GT(lines, 10u);
  // The first line: name and prefix (11) and 22 bytes of three characters reach 77.
  EXPECT_EQ(text.find(L"\r\n"), 77u + 1);
}

// Which string data a text line gives back, and which the editor's hexadecimal form does.
TEST(RegFileText, StringDataThatATextLineOrTheHexadecimalFormGivesBack) {
  const std::string z(2, '\0');
  const struct {
    std::string Bytes;
    bool Text, Hex;
  } kData[] = {
      {std::string("a\0b\0", 4) + z, true, true},
      {z, true, true},                                        // the empty text
      {"", false, true},                                      // no bytes at all
      {std::string("a\0\r\0\n\0", 6) + z, false, true},       // a line break
      {std::string("a\0", 2) + z + std::string("b\0", 2) + z, false, true},  // a zero inside
      {std::string("a\0", 2) + z + z, false, true},           // zeros after the end
      {std::string("a\0b\0", 4), false, false},               // no terminating zero
      {std::string("abc"), false, false},                     // an odd size
  };
  for (const auto& d : kData) {
    EXPECT_EQ(core::RegStringIsExactText(d.Bytes), d.Text) << d.Bytes.size();
    EXPECT_EQ(core::RegStringDataRestores(d.Bytes), d.Hex) << d.Bytes.size();
  }
  EXPECT_TRUE(core::RegNameFitsALine(L"a \"b\" \\c"));
  EXPECT_FALSE(core::RegNameFitsALine(L"two\nlines"));
  EXPECT_FALSE(core::RegNameFitsALine(L"cr\r"));
}
