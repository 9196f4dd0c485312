// The demo seeder's traces in the test prefix: every shell-history item finds its seeded
// entries, a scan changes nothing, a clean removes what was checked, and a second scan
// then finds nothing of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <shlwapi.h>

#include "helpers/ProcessHelpers.h"
#include "helpers/RecordingDriverView.h"
#include "helpers/TreeFixtures.h"
#include "items/CleanDriver.h"
#include "items/ItemTree.h"
#include "junk/SysSweeperWrapper.h"
#include "registry/RegistryDelete.h"
#include "settings/SettingsFolder.h"
#include "system/FolderValues.h"
#include "traces/ShellHistoryItems.h"

namespace {

const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

// name -> data of every value below a key, sub-keys included.
void Snapshot(HKEY root, const std::string& path, std::map<std::string, std::string>& out) {
  HKEY h;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return;
  for (DWORD i = 0;; ++i) {
    char name[1024];
    std::vector<BYTE> data(65536);
    DWORD nameSize = sizeof name, dataSize = static_cast<DWORD>(data.size()), type = 0;
    if (RegEnumValueA(h, i, name, &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    out[path + "\\" + name] = std::string(reinterpret_cast<char*>(data.data()), dataSize);
  }
  for (DWORD i = 0;; ++i) {
    char sub[1024];
    DWORD size = sizeof sub;
    if (RegEnumKeyExA(h, i, sub, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Snapshot(root, path + "\\" + sub, out);
  }
  RegCloseKey(h);
}

std::map<std::string, std::string> HistoryState() {
  std::map<std::string, std::string> state;
  Snapshot(HKEY_CURRENT_USER, kExplorer, state);
  Snapshot(HKEY_CURRENT_USER, "Software\\Microsoft\\Search Assistant", state);
  Snapshot(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets", state);
  return state;
}

const char* const kItems[] = {
    "运行(开始菜单中，重启后生效)", "最近运行的程序历史记录", "文件打开与保存历史记录", "窗口位置与大小历史记录",
    "查找计算机", "最近打开的文件", "Windows 7 跳转列表（用户锁定项目也会删除，请慎用）", "文件扩展名历史记录",
    "最近打开的程序历史记录", "通知区域图标历史记录(重启后生效)", "Windows搜索历史", "网络驱动器映射历史",
    "剪贴板内容", "Windows画图", "Windows写字板",
};

}  // namespace

TEST(SeededDemo, EveryShellItemFindsItsTracesAndTheCleanRemovesThem) {
  TChild seeder = StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\"");
  ASSERT_TRUE(seeder.WaitExit(30000));
  ASSERT_EQ(seeder.ExitCode(), 0u);
  // The seeder's clipboard text does not always outlive its process under Wine: put it
  // there from this process too.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 5);
    memcpy(GlobalLock(text), "demo", 5);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
  }

  TSettingsFolder settings;
  // The folders the program reads when its window opens; the settings stay in the test's folder.
  const std::string settingsDir = AppContext().ProgramDir;
  FillFolderValues(AppContext());
  AppContext().ProgramDir = settingsDir;
  AppContext().OSInfo = TOrvOSInfo::Create();  // the prefix's own Windows version
  TCleanWrapper noEngine("purvex-no-such-engine.dll");
  TTreeModel tree;
  BuildItemTree(tree, Windows7(), noEngine, false, TReadItemChecked());
  SetAllChecked(tree, false);
  for (const char* item : kItems) tree.SetCheckState(Find(tree, item), TCheckState::Checked);
  TRunState state;
  TRecordingDriverView view;
  THandlerTable handlers;
  RegisterShellHistoryHandlers(handlers, state);
  TScanDriver scan(tree, state, view, handlers);

  const auto before = HistoryState();
  scan.ScanItems(false);
  EXPECT_EQ(HistoryState(), before) << "a scan changes nothing";
  for (const char* item : kItems) EXPECT_GT(Find(tree, item)->ChildCount(), 0u) << item;
  EXPECT_EQ(Find(tree, "最近打开的程序历史记录")->ChildCount(), 2u) << "the missing program and the session counter";

  TCleanPhases phases;
  phases.DeleteRegistryFinding = DeleteRegistryFinding;
  phases.EmptyClipboard = [] {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  };
  TCleanDriver clean(tree, state, view, scan, phases);
  clean.CleanItems(false);
  EXPECT_GT(clean.CleanCount(), 20);

  scan.ScanItems(false);
  for (const char* item : kItems) EXPECT_EQ(Find(tree, item)->ChildCount(), 0u) << item << " after the clean";

  // What the seeder wrote for other Windows versions, or that no item here removes.
  for (const char* key : {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32",
                          "Software\\Microsoft\\Search Assistant",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts",
                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs"})
    SHDeleteKeyA(HKEY_CURRENT_USER, key);
  for (const char* file : {"C:\\users\\Public\\Documents\\报告.txt"}) DeleteFileA(file);
}
