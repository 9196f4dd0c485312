#include "traces/ScanMruKey.h"

#include <gtest/gtest.h>

#include "traces/TraceBench.h"

namespace {

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
const std::string kRecentDocs = kExplorer + "RecentDocs";
const std::string kHkcu = "HKEY_CURRENT_USER\\";
// What MRUListEx holds: the order of the entries as 32-bit numbers, ended by -1.
const std::string kOrder("\0\0\0\0\xff\xff\xff\xff", 8);
const std::string kItemIds("\x14\0\x1f\x50\xe0\x4f", 6);

}  // namespace

TEST(ScanMruKey, RecentDocsListsItsValuesAndThoseOfItsExtensionKeysWithTheirFileNames) {
  TPrivateRoot user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.Active());
  SetValue(HKEY_CURRENT_USER, kRecentDocs, "0", REG_BINARY, Utf16Bytes(L"报告.txt", kItemIds));
  SetValue(HKEY_CURRENT_USER, kRecentDocs, "MRUListEx", REG_BINARY, kOrder);
  SetValue(HKEY_CURRENT_USER, kRecentDocs + "\\.txt", "0", REG_BINARY, Utf16Bytes(L"a.txt", kItemIds));
  SetValue(HKEY_CURRENT_USER, kRecentDocs + "\\.txt", "MRUListEx", REG_BINARY, kOrder);
  SetString(HKEY_CURRENT_USER, kRecentDocs + "\\.txt\\deeper", "0", "never listed");
  TTraceBench b;
  EXPECT_FALSE(ScanMruKey(b.Scan, HKEY_CURRENT_USER, kRecentDocs));
  EXPECT_EQ(b.Captions(), (std::vector<std::string>{kHkcu + kRecentDocs + "\\.txt\\0:a.txt",
                                                     kHkcu + kRecentDocs + "\\.txt\\MRUListEx",
                                                     kHkcu + kRecentDocs + "\\0:报告.txt",
                                                     kHkcu + kRecentDocs + "\\MRUListEx"}));
  EXPECT_EQ(b.Scan.Count, 4);
  EXPECT_EQ(b.Scan.Size, 0);
  EXPECT_EQ(b.Entries, 4) << "the window breathes after every value";
  for (const Column4TreeData& d : b.Findings()) {
    EXPECT_EQ(d.Root, "HKEY_CURRENT_USER");
    EXPECT_EQ(d.Kind, "");
    EXPECT_EQ(d.ImageIndex, -1);
    EXPECT_EQ(d.Caption.compare(0, kHkcu.size() + d.Path.size() + 1 + d.Name.size(),
                                kHkcu + d.Path + "\\" + d.Name),
              0)
        << d.Caption << " names its key and value";
  }
}

TEST(ScanMruKey, BinaryValuesShowTextOnlyInTheListsThatKeepIt) {
  TPrivateRoot user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.Active());
  const std::string pidlMru = kExplorer + "ComDlg32\\OpenSavePidlMRU";
  const std::string visited = kExplorer + "ComDlg32\\LastVisitedPidlMRU";
  const std::string words = kExplorer + "WordWheelQuery";
  const std::string run = kExplorer + "RunMRU";
  SetValue(HKEY_CURRENT_USER, pidlMru, "0", REG_BINARY, Utf16Bytes(L"hidden.txt", kItemIds));
  SetValue(HKEY_CURRENT_USER, pidlMru + "\\*", "0", REG_BINARY, Utf16Bytes(L"hidden.txt", kItemIds));
  SetValue(HKEY_CURRENT_USER, visited, "0", REG_BINARY, Utf16Bytes(L"notepad.exe", kItemIds));
  SetValue(HKEY_CURRENT_USER, words, "0", REG_BINARY, Utf16Bytes(L"搜索词", std::string()));
  SetValue(HKEY_CURRENT_USER, words, "1", REG_BINARY, std::string("z", 1));  // one byte: no unit
  SetString(HKEY_CURRENT_USER, run, "a", "cmd\\1");
  SetValue(HKEY_CURRENT_USER, run, "b", REG_BINARY, Utf16Bytes(L"hidden", std::string()));
  SetValue(HKEY_CURRENT_USER, run, "c", REG_DWORD, std::string("\x03\0\0\0", 4));
  SetValue(HKEY_CURRENT_USER, run, "d", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 10));
  SetString(HKEY_CURRENT_USER, run, "", "unnamed");
  TTraceBench b;
  for (const std::string& key : {pidlMru, visited, words, run}) ScanMruKey(b.Scan, HKEY_CURRENT_USER, key);
  EXPECT_EQ(b.Captions(), (std::vector<std::string>{
                              kHkcu + visited + "\\0:notepad.exe", kHkcu + pidlMru + "\\*\\0",
                              kHkcu + pidlMru + "\\0", kHkcu + run + "\\:unnamed",
                              kHkcu + run + "\\a:cmd\\1", kHkcu + run + "\\b", kHkcu + run + "\\c",
                              kHkcu + run + "\\d:%TEMP%\\x", kHkcu + words + "\\0:搜索词", kHkcu + words + "\\1"}));
  EXPECT_EQ(b.Scan.Count, 10);
  // The unnamed value is one value, not the whole key its empty name would stand for.
  bool sawUnnamed = false;
  for (const Column4TreeData& d : b.Findings()) {
    if (d.Caption != kHkcu + run + "\\:unnamed") continue;
    sawUnnamed = true;
    EXPECT_EQ(d.Name, "@D_e_f_a_u_l_t");
    EXPECT_EQ(d.Path, run);
  }
  EXPECT_TRUE(sawUnnamed);
}

TEST(ScanMruKey, StopRequestEndsTheScanAtTheNextValueAndSkipsTheSubKeys) {
  TPrivateRoot user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.Active());
  for (const char* name : {"0", "1", "2"}) SetString(HKEY_CURRENT_USER, kRecentDocs, name, "x");
  SetString(HKEY_CURRENT_USER, kRecentDocs + "\\.txt", "0", "y");
  TTraceBench b;
  b.StopAfter = 2;
  EXPECT_TRUE(ScanMruKey(b.Scan, HKEY_CURRENT_USER, kRecentDocs));
  EXPECT_EQ(b.Scan.Count, 2);
  EXPECT_EQ(b.Scan.Item->ChildCount(), 2u);
  EXPECT_EQ(b.Entries, 2);
  for (const Column4TreeData& d : b.Findings()) EXPECT_EQ(d.Path, kRecentDocs);
}

TEST(ScanMruKey, EachRootIsNamedAndAMissingKeyOrAnUnknownRootGivesNothing) {
  const struct {
    HKEY Root;
    const char* Name;
  } kRoots[] = {{HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                {HKEY_USERS, "HKEY_USERS"},
                {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"}};
  // A key of this process's own: where Windows has two views, Wine's override of
  // HKEY_CLASSES_ROOT does not reach the 32-bit one, where the key then lies in the
  // prefix's registry.
  const std::string list = "Software\\PurvexTest-MruRoots-" + std::to_string(GetCurrentProcessId());
  struct TRemoved {
    HKEY Root;
    const std::string& Path;
    ~TRemoved() { RegDeleteKeyExA(Root, Path.c_str(), ScannedView(), 0); }
  };
  for (const auto& r : kRoots) {
    TPrivateRoot root(r.Root);
    ASSERT_TRUE(root.Active()) << r.Name;
    TRemoved removed{r.Root, list};
    SetString(r.Root, list, "1", "x");
    TTraceBench b;
    ScanMruKey(b.Scan, r.Root, list);
    ASSERT_EQ(b.Findings().size(), 1u) << r.Name;
    EXPECT_EQ(b.Findings()[0].Root, r.Name);
    EXPECT_EQ(b.Findings()[0].Caption, std::string(r.Name) + "\\" + list + "\\1:x");
  }
  // A finding under HKEY_LOCAL_MACHINE would point the clean at a different key.
  TPrivateRoot config(HKEY_CURRENT_CONFIG);
  ASSERT_TRUE(config.Active());
  SetString(HKEY_CURRENT_CONFIG, "Software\\List", "1", "x");
  TPrivateRoot user(HKEY_CURRENT_USER);
  ASSERT_TRUE(user.Active());
  TTraceBench b;
  EXPECT_FALSE(ScanMruKey(b.Scan, HKEY_CURRENT_CONFIG, "Software\\List"));
  EXPECT_FALSE(ScanMruKey(b.Scan, HKEY_CURRENT_USER, "Software\\Missing\\List"));
  EXPECT_EQ(b.Scan.Count, 0);
  EXPECT_EQ(b.Scan.Item->ChildCount(), 0u);
  HKEY h;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Missing", 0, KEY_READ, &h), ERROR_SUCCESS)
      << "the key is never created";
}
