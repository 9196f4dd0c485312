// The application items made of plain registry lists, one folder, or the finder's
// leftovers: their findings, guards and summaries on keys and folders of the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "helpers/AtExit.h"
#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "helpers/TraceScanBench.h"
#include "items/ItemSummary.h"
#include "system/ToolsShell.h"
#include "system/WideText.h"
#include "traces/AppHistoryItems.h"

namespace {

using TScanBench = TTraceScanBench;

void SetString(const std::string& key, const char* name, const char* text) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
  RegCloseKey(h);
}

}  // namespace

TEST(AppHistoryItems, RegistryListsOfEveryVersionAndTheirGuards) {
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\WinRAR");
  SetString("Software\\WinRAR\\ArcHistory", "0", "C:\\a.rar");
  SetString("Software\\WinRAR\\DialogEditHistory\\ExtrPath", "0", "C:\\out");
  THandlerTable table;
  TInvalidFilesSlot slot;
  RegisterAppHistoryHandlers(table, slot);
  const TItemHandler* winrar = table.Find("WinRAR压缩软件");
  ASSERT_NE(winrar, nullptr);
  TScanBench b;
  winrar->Scan(b.scan);
  EXPECT_EQ(b.scan.Count, 2);
  EXPECT_EQ(b.item->FirstChild()->Data.Caption, "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory\\0:C:\\a.rar");
  EXPECT_EQ(winrar->GuardExecutables, std::vector<std::string>{"winrar.exe"});
  EXPECT_EQ(table.Find("微软 Excel")->GuardExecutables, std::vector<std::string>{"excel.exe"});
  SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\WinRAR");
}

TEST(AppHistoryItems, SymantecLogsDirectlyInTheirFolderWithTheirOwnSummary) {
  TTestContext context(false);
  const std::string logs = GetSpecialFolder(35) + "\\Symantec\\Symantec AntiVirus Corporate Edition\\7.5\\Logs";
  SHCreateDirectoryExA(nullptr, (logs + "\\old").c_str(), nullptr);
  for (const char* name : {"\\12012009.log", "\\old\\11012009.log", "\\readme.txt"}) {
    HANDLE h = CreateFileA((logs + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(h, "12345", 5, &done, nullptr);
    CloseHandle(h);
  }
  THandlerTable table;
  TInvalidFilesSlot slot;
  RegisterAppHistoryHandlers(table, slot);
  const TItemHandler* symantec = table.Find("Symantec AntiVirus");
  TScanBench b;
  symantec->Scan(b.scan);
  EXPECT_EQ(b.scan.Count, 1) << "not its sub-folders, not other masks";
  EXPECT_EQ(b.totals.Count, 1) << "the finder counts into the totals";
  EXPECT_TRUE(symantec->CountsItself);
  EXPECT_EQ(symantec->Summary(b.scan), FormatFileSizeSummary(1, 5));
  for (const char* name : {"\\12012009.log", "\\old\\11012009.log", "\\readme.txt"}) DeleteFileA((logs + name).c_str());
  RemoveDirectoryA((logs + "\\old").c_str());
}

TEST(AppHistoryItems, SevenZipValuesWpsKeysAndWordSettings) {
  for (const char* key : {"Software\\7-Zip", "Software\\Kingsoft", "Software\\Microsoft\\Office\\11.0\\Word"})
    SHDeleteKeyA(HKEY_CURRENT_USER, key);
  SetString("Software\\7-Zip\\FM", "PanelPath1", "C:\\work");
  SetString("Software\\7-Zip\\FM", "ListMode", "1");
  SetString("Software\\Kingsoft\\Office\\6.0\\et\\RecentFiles\\files\\a", "path", "C:\\a.et");
  SetString("Software\\Kingsoft\\Office\\6.0\\et\\RecentFiles\\files\\b", "path", "C:\\b.et");
  SetString("Software\\Microsoft\\Office\\11.0\\Word\\Data", "Settings", "x");
  THandlerTable table;
  TInvalidFilesSlot slot;
  RegisterAppHistoryHandlers(table, slot);

  TScanBench zip;
  table.Find("7ZIP（压缩/解压缩工具）历史记录")->Scan(zip.scan);
  ASSERT_EQ(zip.scan.Count, 1) << "only PanelPath1 is there";
  EXPECT_EQ(zip.item->FirstChild()->Data.Caption, "HKEY_CURRENT_USER\\Software\\7-Zip\\FM\\PanelPath1");

  TScanBench et;
  const TItemHandler* sheets = table.Find("WPS表格历史记录");
  sheets->Scan(et.scan);
  ASSERT_EQ(et.scan.Count, 2);
  const TTreeNode* first = et.item->FirstChild();
  EXPECT_EQ(first->Data.Caption, "HKEY_CURRENT_USER\\Software\\Kingsoft\\Office\\6.0\\et\\RecentFiles\\files\\a");
  EXPECT_EQ(first->Data.Name, "") << "the whole key";
  EXPECT_EQ(sheets->GuardExecutables, std::vector<std::string>{"et.exe"});

  TScanBench word;
  table.Find("微软 Word")->Scan(word.scan);
  ASSERT_EQ(word.scan.Count, 1);
  EXPECT_EQ(word.item->FirstChild()->Data.Caption, "HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\11.0\\Word\\Data\\Settings");

  TScanBench patches;
  table.Find("Marvolent漏洞修复留下的补丁")->Scan(patches.scan);
  EXPECT_EQ(patches.scan.Count, 0) << "no sibling program, no patch folder";
  for (const char* key : {"Software\\7-Zip", "Software\\Kingsoft", "Software\\Microsoft\\Office\\11.0\\Word"})
    SHDeleteKeyA(HKEY_CURRENT_USER, key);
}

// The patch folder read from the registry is used only as a full path, and its last
// character is told from a backslash by the code page ("乗" ends in the byte 0x5C).
TEST(AppHistoryItems, ThePatchFolderIsAFullPathWhateverItsLastCharacter) {
  TTestContext context;
  TTempFolder dir;
  const std::string setup = GbkFromWide(dir.Path()) + "\\乗";
  ASSERT_TRUE(CreateDirectoryA(setup.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((setup + "\\Hotfix").c_str(), nullptr));
  CloseHandle(CreateFileA((setup + "\\Hotfix\\patch.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  HKEY key;
  DWORD created = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Marvolent", 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                            nullptr, &key, &created),
            ERROR_SUCCESS);
  TAtExit restore([&] {
    RegDeleteValueA(key, "Setup Path");
    RegCloseKey(key);
    if (created == REG_CREATED_NEW_KEY) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Marvolent", KEY_WOW64_32KEY, 0);
  });
  THandlerTable table;
  TInvalidFilesSlot finder;
  RegisterAppHistoryHandlers(table, finder);
  for (const std::string& value : {setup, std::string("乗"), std::string()}) {
    RegSetValueExA(key, "Setup Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    TScanBench b;
    table.Find("Marvolent漏洞修复留下的补丁")->Scan(b.scan);
    EXPECT_EQ(b.scan.Count, value == setup ? 1 : 0) << "Setup Path: " << value;
  }
}
