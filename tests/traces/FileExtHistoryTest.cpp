#include "traces/FileExtHistory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "registry/RegistryCaches.h"

namespace {

const std::string kFileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

void MakeKey(const std::string& sub) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, (kFileExts + sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegCloseKey(h);
}

void SetValue(const std::string& sub, const char* name) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, (kFileExts + sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("notepad.exe"), 12);
  RegCloseKey(h);
}

bool Exists(const std::string& sub) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (kFileExts + sub).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

void RemoveTree(const std::string& sub) {
  for (const char* child : {"\\OpenWithList", "\\OpenWithProgids"}) RegDeleteKeyA(HKEY_CURRENT_USER, (kFileExts + sub + child).c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, (kFileExts + sub).c_str());
}

const char* const kTestKeys[] = {".purvexlate", ".purvexempty", ".purvexlist", ".purvexvalue", ".purvextwo", ".ini", "q", "purvexnodot"};

struct Keys {
  Keys() {
    MakeKey(".purvexempty");                  // nothing at all: a finding
    MakeKey(".purvexlist\\OpenWithList");     // only an empty list: a finding
    SetValue(".purvexvalue\\OpenWithList", "a");  // a program in the list: kept
    MakeKey(".purvextwo\\OpenWithList");      // a second sub-key: kept
    MakeKey(".purvextwo\\OpenWithProgids");
    MakeKey(".ini\\OpenWithList");            // Windows knows .ini: kept
    MakeKey("q");                             // one character, tested like an extension
    MakeKey("purvexnodot");                   // longer and without a dot: never looked at
  }
  ~Keys() {
    for (const char* k : kTestKeys) RemoveTree(k);
  }
};

}  // namespace

TEST(ScanFileExtHistory, FindsOnlyUnknownExtensionKeysThatHoldNothing) {
  Keys keys;
  ClearRegistryScanLists();
  TTreeModel tree;
  TTreeNode* group = tree.AddChild(nullptr, Column4TreeData(), TCheckType::TriState, TCheckState::Checked);
  TScanTotals totals;
  TItemScan scan;
  scan.Tree = &tree;
  scan.Item = tree.AddChild(group, Column4TreeData(), TCheckType::TriState, TCheckState::Checked);
  scan.Totals = &totals;
  ScanFileExtHistory(&scan);
  std::set<std::string> found;
  for (TTreeNode* f = scan.Item->FirstChild(); f; f = f->NextSibling()) {
    EXPECT_EQ(f->Data.Root, "HKEY_CURRENT_USER");
    EXPECT_EQ(f->Data.Name, "") << "the whole key";
    EXPECT_EQ(f->Data.Caption, "HKEY_CURRENT_USER\\" + f->Data.Path);
    found.insert(f->Data.Path.substr(kFileExts.size()));
  }
  for (const char* expected : {".purvexempty", ".purvexlist", "q"}) EXPECT_EQ(found.count(expected), 1u) << expected;
  for (const char* kept : {".purvexvalue", ".purvextwo", ".ini", "purvexnodot"}) EXPECT_EQ(found.count(kept), 0u) << kept;

  // Delete mode removes what still qualifies among the findings the user left checked:
  // ".purvexlist" was unchecked, ".purvexlate" appeared after the scan and was never shown.
  MakeKey(".purvexlate");
  const std::vector<std::string> checked = {kFileExts + ".PURVEXEMPTY", kFileExts + "q", kFileExts + ".purvexvalue"};
  ScanFileExtHistory(nullptr, checked);
  EXPECT_FALSE(Exists(".purvexempty")) << "names compare without case";
  EXPECT_FALSE(Exists("q"));
  EXPECT_TRUE(Exists(".purvexlist")) << "unchecked";
  EXPECT_TRUE(Exists(".purvexlate")) << "never shown";
  for (const char* kept : {".purvexvalue", ".purvextwo", ".ini", "purvexnodot"}) EXPECT_TRUE(Exists(kept)) << kept;
}
