#include "system/RegistryValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "system/RegistryCallCounts.h"
#include "system/RegistryKey.h"
#include "system/RegistryNameList.h"
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

  // The listing with data reads each value as ReadRegText does, in one call (two for data
  // beyond its buffer: the huge ones) and one closing call.
  const TRegistryCallCounts before = RegistryCallCounts();
  const std::vector<TRegValue> listed = RegValues(open.Handle());
  EXPECT_LE((RegistryCallCounts() - before).Of[kRegListing], std::size(cases) + 3);
  ASSERT_EQ(listed.size(), std::size(cases));
  for (const TValueCase& c : cases) {
    auto v = std::find_if(listed.begin(), listed.end(), [&](const TRegValue& l) { return l.Name == c.Name; });
    ASSERT_NE(v, listed.end()) << c.Name;
    EXPECT_EQ(v->Type, c.Type) << c.Name;
    if (c.Type != REG_SZ && c.Type != REG_EXPAND_SZ) {
      EXPECT_EQ(v->Data, c.Data) << c.Name;
    }
    EXPECT_EQ(v->Text().IsText(), c.Read) << c.Name;
    EXPECT_EQ(v->Text().Text, c.Text) << c.Name;
  }
  EXPECT_TRUE(RegValues(nullptr).empty());
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

// Key names at the registry's limit of 255 characters, in one and in two bytes each.
// (Made with the wide calls: the narrow ones convert the whole path in a buffer of 260
// characters, under Wine at least.)
TEST(RegGetKeyNames, NamesOfTheLongestLengthInEitherWidthAreListedWhole) {
  TRegistryTestKey key(HKEY_CURRENT_USER, "longkeys");
  key.Set("", false);
  const std::string ascii(255, 'k');
  std::string doubleByte;
  for (int i = 0; i < 255; ++i) doubleByte += "软";  // 510 bytes in code page 936
  HKEY parent;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_CREATE_SUB_KEY, &parent), ERROR_SUCCESS);
  for (const std::wstring& name : {std::wstring(255, L'k'), std::wstring(255, L'\x8F6F')}) {
    HKEY child;
    ASSERT_EQ(RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &child, nullptr), ERROR_SUCCESS);
    RegCloseKey(child);
  }
  RegCloseKey(parent);
  TRegistryKey open(HKEY_CURRENT_USER, key.Path(), false, KEY_READ);
  ASSERT_TRUE(open);
  bool complete = false;
  std::vector<std::string> names = open.SubKeyNames(&complete);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{ascii, doubleByte}));
  EXPECT_TRUE(complete);
  EXPECT_TRUE(TRegistryKey().SubKeyNames(&complete).empty());
  EXPECT_FALSE(complete) << "a key that is not open lists nothing, incompletely";
}

// The listing loop: a name longer than the buffer is read again at the size the registry
// reports, an entry that fails is skipped, and the result says the listing was incomplete.
TEST(EnumerateNames, RereadsLongNamesSkipsFailedEntriesAndSaysSo) {
  const std::vector<std::string> stored = {"a", std::string(40, 'l'), "<denied>", "c"};
  int calls = 0;
  auto enumerate = [&](DWORD index, char* buf, DWORD* length) -> LONG {
    ++calls;
    if (index >= stored.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& name = stored[index];
    if (name == "<denied>") return ERROR_ACCESS_DENIED;
    if (name.size() + 1 > *length) {
      *length = static_cast<DWORD>(name.size());  // as RegEnumValue reports it
      return ERROR_MORE_DATA;
    }
    memcpy(buf, name.c_str(), name.size() + 1);
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
  };
  std::vector<std::string> names = {"kept"};
  EXPECT_FALSE(EnumerateNames(enumerate, 8, names));
  EXPECT_EQ(names, (std::vector<std::string>{"kept", "a", std::string(40, 'l'), "c"}));
  EXPECT_EQ(calls, 6) << "one retry for the long name";

  names.clear();
  auto empty = [](DWORD, char*, DWORD*) -> LONG { return ERROR_NO_MORE_ITEMS; };
  EXPECT_TRUE(EnumerateNames(empty, 0, names));
  EXPECT_TRUE(names.empty());
  // An entry that never stops failing does not keep the listing going for ever.
  auto broken = [](DWORD, char*, DWORD*) -> LONG { return ERROR_INVALID_HANDLE; };
  EXPECT_FALSE(EnumerateNames(broken, 16, names));
}
