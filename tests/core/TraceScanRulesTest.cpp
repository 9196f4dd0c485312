#include "core/TraceScanRules.h"

#include <gtest/gtest.h>

#include "core/Utf16Bytes.h"

using namespace core;

namespace {
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
}

TEST(Utf16UpToNul, LittleEndianUnitsUpToTheFirstNul) {
  EXPECT_EQ(Utf16UpToNul(std::string("a\0b\0\0\0c\0", 8)), u"ab");
  // High bytes must not be sign-extended into the neighbouring byte.
  EXPECT_EQ(Utf16UpToNul(std::string("\xA5\x62\xFF\xFE", 4)), std::u16string({0x62A5, 0xFEFF}));
  EXPECT_EQ(Utf16UpToNul(std::string("a\0b", 3)), u"a") << "a last odd byte is dropped";
  EXPECT_EQ(Utf16UpToNul(std::string("x", 1)), u"");
  EXPECT_EQ(Utf16UpToNul(std::string()), u"");
  EXPECT_EQ(Utf16UpToNul(std::string("\0\0z\0", 4)), u"");
}

TEST(TraceScanRules, OnlyTheThreeShellListsHaveSubKeyLists) {
  EXPECT_TRUE(HasMruSubKeyLists(kExplorer + "RecentDocs"));
  EXPECT_TRUE(HasMruSubKeyLists(kExplorer + "ComDlg32\\OpenSaveMRU"));
  EXPECT_TRUE(HasMruSubKeyLists(kExplorer + "ComDlg32\\OpenSavePidlMRU"));
  EXPECT_FALSE(HasMruSubKeyLists(kExplorer + "RecentDocs\\.txt")) << "so the recursion stops";
  EXPECT_FALSE(HasMruSubKeyLists(kExplorer + "recentdocs"));
  EXPECT_FALSE(HasMruSubKeyLists(kExplorer + "RecentDocs\\"));
  EXPECT_FALSE(HasMruSubKeyLists(kExplorer + "ComDlg32\\LastVisitedPidlMRU"));
}

TEST(TraceScanRules, BinaryValuesHoldTextInTheShellListsThatKeepOne) {
  EXPECT_TRUE(HoldsUtf16BinaryValues(kExplorer + "ComDlg32\\LastVisitedPidlMRU"));
  EXPECT_TRUE(HoldsUtf16BinaryValues(kExplorer + "ComDlg32\\LastVisitedPidlMRULegacy"));
  EXPECT_TRUE(HoldsUtf16BinaryValues(kExplorer + "WordWheelQuery"));
  EXPECT_TRUE(HoldsUtf16BinaryValues(kExplorer + "RecentDocs"));
  EXPECT_TRUE(HoldsUtf16BinaryValues(kExplorer + "RecentDocs\\.txt"));
  EXPECT_FALSE(HoldsUtf16BinaryValues("\\RecentDocs")) << "not at the very start";
  EXPECT_FALSE(HoldsUtf16BinaryValues(kExplorer + "ComDlg32\\OpenSavePidlMRU"));
  EXPECT_FALSE(HoldsUtf16BinaryValues(kExplorer + "ComDlg32\\OpenSavePidlMRU\\*"));
  EXPECT_FALSE(HoldsUtf16BinaryValues(kExplorer + "ComDlg32\\lastvisitedpidlmru"));
  EXPECT_FALSE(HoldsUtf16BinaryValues(kExplorer + "WordWheelQuery\\x"));
  // "\x81W" and "\x95\x5c" are double-byte characters: their trail bytes are no 'W' or '\'.
  EXPECT_FALSE(HoldsUtf16BinaryValues("Software\\\x81WordWheelQuery"));
  EXPECT_FALSE(HoldsUtf16BinaryValues("Software\\\x95\x5cRecentDocs"));
  EXPECT_TRUE(HoldsUtf16BinaryValues("Software\\\x95\x5c\\RecentDocs"));
}

TEST(TraceScanRules, ExcludedNamesMatchInAnyLetterCaseOfAsciiLetters) {
  const std::vector<std::string> excluded = {"index.dat", "desktop.ini", "\x81\x41.dat"};
  EXPECT_TRUE(IsExcludedName("INDEX.DAT", excluded));
  EXPECT_TRUE(IsExcludedName("Desktop.ini", excluded));
  EXPECT_FALSE(IsExcludedName("index.dat.bak", excluded));
  EXPECT_FALSE(IsExcludedName("index.dat", {}));
  // The trail byte 'A' stays as it is: "\x81\x41" and "\x81\x61" are different characters.
  EXPECT_TRUE(IsExcludedName("\x81\x41.DAT", excluded));
  EXPECT_FALSE(IsExcludedName("\x81\x61.dat", excluded));
}

TEST(TraceScanRules, UnresolvedShortcutsCountOnTheRecentFolderPathOnly) {
  const std::string recent = "C:\\Users\\u\\AppData\\Roaming\\Microsoft\\Windows\\Recent";
  EXPECT_TRUE(TakesUnresolvedShortcuts(recent, recent));
  EXPECT_TRUE(TakesUnresolvedShortcuts("C:\\Users\\u\\AppData", recent));
  EXPECT_FALSE(TakesUnresolvedShortcuts("C:\\Users\\u\\Recent", recent));
  EXPECT_FALSE(TakesUnresolvedShortcuts("c:\\users\\u\\appdata", recent)) << "case-sensitive";
  EXPECT_FALSE(TakesUnresolvedShortcuts("", recent));
  EXPECT_FALSE(TakesUnresolvedShortcuts(recent, ""));
}
