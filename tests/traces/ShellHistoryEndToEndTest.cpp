// The shell history items end to end on the real registry of the prefix: seeded traces
// are found by a scan that changes nothing, and a clean removes exactly the checked ones.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "helpers/RecordingDriverView.h"
#include "helpers/TreeFixtures.h"
#include "items/CleanDriver.h"
#include "items/ItemTree.h"
#include "junk/SysSweeperWrapper.h"
#include "registry/RegistryDelete.h"
#include "settings/SettingsFolder.h"
#include "traces/ShellHistoryItems.h"

namespace {


const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kMap[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU";

void SetString(const char* key, const char* name, const char* text) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
  RegCloseKey(h);
}

// Every value of a key as name -> data, to compare before and after.
std::map<std::string, std::string> Values(const char* key) {
  std::map<std::string, std::string> out;
  HKEY h;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return out;
  for (DWORD i = 0;; ++i) {
    char name[512];
    BYTE data[2048];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValueA(h, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
    out[name] = std::string(reinterpret_cast<char*>(data), dataSize);
  }
  RegCloseKey(h);
  return out;
}

}  // namespace

TEST(ShellHistoryEndToEnd, ScanFindsTheSeededTracesChangesNothingAndCleanRemovesTheChecked) {
  TSettingsFolder settings;  // the clean records its statistics there
  RegDeleteKeyA(HKEY_CURRENT_USER, kRun);
  RegDeleteKeyA(HKEY_CURRENT_USER, kMap);
  SetString(kRun, "a", "notepad\\1");
  SetString(kRun, "b", "calc\\1");
  SetString(kRun, "MRUList", "ba");
  SetString(kMap, "a", "\\\\server\\share");
  const auto runBefore = Values(kRun), mapBefore = Values(kMap);

  TCleanWrapper noEngine("purvex-no-such-engine.dll");
  TTreeModel tree;
  BuildItemTree(tree, Windows7(), noEngine, false, TReadItemChecked());
  SetAllChecked(tree, false);
  TTreeNode* run = Find(tree, "运行(开始菜单中，重启后生效)");
  TTreeNode* map = Find(tree, "网络驱动器映射历史");
  tree.SetCheckState(run, TCheckState::Checked);
  tree.SetCheckState(map, TCheckState::Checked);
  TRunState state;
  TRecordingDriverView view;
  THandlerTable handlers;
  RegisterShellHistoryHandlers(handlers, state);
  TScanDriver scan(tree, state, view, handlers);
  scan.ScanItems(false);

  EXPECT_EQ(run->ChildCount(), 3u) << "both entries and the list-order value";
  EXPECT_EQ(run->Data.Caption, "运行(开始菜单中，重启后生效)(3个项目)");
  EXPECT_EQ(map->ChildCount(), 1u);
  EXPECT_EQ(state.Totals.Count, 4);
  EXPECT_EQ(Values(kRun), runBefore) << "a scan changes nothing";
  EXPECT_EQ(Values(kMap), mapBefore);

  // Leave the "b" entry unchecked: the clean must keep it.
  for (TTreeNode* f = run->FirstChild(); f; f = f->NextSibling())
    if (f->Data.Name == "b") tree.SetCheckState(f, TCheckState::Unchecked);
  TCleanPhases phases;
  phases.DeleteRegistryFinding = DeleteRegistryFinding;
  TCleanDriver clean(tree, state, view, scan, phases);
  clean.CleanItems(false);
  auto runAfter = Values(kRun);
  EXPECT_EQ(runAfter.size(), 1u);
  EXPECT_EQ(runAfter.count("b"), 1u) << "the unchecked entry stays";
  EXPECT_TRUE(Values(kMap).empty());
  EXPECT_EQ(clean.CleanCount(), 3);
  EXPECT_EQ(run->Data.Caption, "运行(开始菜单中，重启后生效)(清理完成)");
  RegDeleteKeyA(HKEY_CURRENT_USER, kRun);
  RegDeleteKeyA(HKEY_CURRENT_USER, kMap);
}
