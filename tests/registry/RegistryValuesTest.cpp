#include "system/RegistryValues.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "system/RegistryKey.h"
#include "registry/RegistryTestKey.h"

namespace {

struct TValueCase {
  const char* Name;
  DWORD Type;
  std::string Data;
  bool Read;  // ReadRegText's result
  std::string Text;
};

}  // namespace

TEST(ReadRegText, StringsOnlyWhateverTheDataLooksLike) {
  TRegistryTestKey key(HKEY_CURRENT_USER, "values");
  const std::string huge(1 << 20, 'h');
  const TValueCase cases[] = {
      {"plain", REG_SZ, std::string("C:\\a.exe", 9), true, "C:\\a.exe"},
      {"unterminated", REG_SZ, "abc", true, "abc"},
      {"inner zero", REG_SZ, std::string("ab\0cd", 6), true, "ab"},
      {"empty data", REG_SZ, "", true, ""},
      {"expand", REG_EXPAND_SZ, std::string("%TEMP%\\x", 9), true, "%TEMP%\\x"},
      {"gbk", REG_SZ, std::string("软件\\誠", 8), true, "软件\\誠"},
      {"huge", REG_SZ, huge + '\0', true, huge},
      {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), false, ""},
      {"binary", REG_BINARY, std::string("\x01\x02\x03", 3), false, ""},
      {"dword", REG_DWORD, std::string("\x01\0\0\0", 4), false, ""},
      {"huge binary", REG_BINARY, huge, false, ""},
  };
  for (const TValueCase& c : cases)
    key.Set("", false, c.Name, c.Type, c.Data.data(), static_cast<DWORD>(c.Data.size()));
  TRegistryKey open(HKEY_CURRENT_USER, key.Path(), false);
  ASSERT_TRUE(open);
  for (const TValueCase& c : cases) {
    std::string text = "sentinel";
    EXPECT_EQ(ReadRegText(open.Handle(), c.Name, text), c.Read) << c.Name;
    EXPECT_EQ(text, c.Text) << c.Name;
    EXPECT_EQ(RegText(open.Handle(), c.Name), c.Text) << c.Name;
    EXPECT_TRUE(RegValueExists(open.Handle(), c.Name)) << c.Name;
  }
  std::string text = "sentinel";
  EXPECT_TRUE(ReadRegText(open.Handle(), "missing", text)) << "a missing value reads as empty text";
  EXPECT_EQ(text, "");
  EXPECT_TRUE(ReadRegText(open.Handle(), "", text)) << "no default value";
  EXPECT_FALSE(RegValueExists(open.Handle(), "missing"));
  EXPECT_FALSE(ReadRegText(nullptr, "plain", text));

  std::vector<std::string> names = RegValueNames(open.Handle());
  ASSERT_EQ(names.size(), sizeof cases / sizeof cases[0]);
  for (const TValueCase& c : cases)
    EXPECT_NE(std::find(names.begin(), names.end(), c.Name), names.end()) << c.Name;
}

TEST(RegValueNames, LongAndDoubleByteNamesAndTheDefaultValue) {
  TRegistryTestKey key(HKEY_CURRENT_USER, "names");
  const std::string longName(300, 'n');
  std::string wideName;
  for (int i = 0; i < 200; ++i) wideName += "软";  // 400 bytes in code page 936
  key.SetText("", false, longName.c_str(), "1");
  key.SetText("", false, wideName.c_str(), "2");
  key.SetText("", false, "", "default");
  TRegistryKey open(HKEY_CURRENT_USER, key.Path(), false);
  std::vector<std::string> names = RegValueNames(open.Handle());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"", longName, wideName}));
  EXPECT_EQ(RegText(open.Handle(), wideName), "2");
  EXPECT_EQ(RegText(open.Handle(), ""), "default");
  EXPECT_EQ(open.ValueCount(), 3u);
  EXPECT_EQ(open.SubKeyCount(), 0u);
  EXPECT_TRUE(RegValueNames(nullptr).empty());
}
