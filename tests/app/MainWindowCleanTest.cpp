// A scan and a clean through the real window, with a saved selection of one item: the
// window's own wiring removes that item's findings, keeps the traces of unchecked items
// and records the clean in the settings file.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>
#include <string>

#include "app/MainControls.h"
#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "SavedSelection.h"
#include "system/WideText.h"

namespace {
using namespace mainwindow;

const DWORD kWaitMs = 20000;
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kMap[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU";
const char kRunItem[] = "运行(开始菜单中，重启后生效)";

void SetString(const char* key, const char* name, const char* text) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(strlen(text) + 1));
  RegCloseKey(h);
}

DWORD ValueCount(const char* key) {
  HKEY h;
  DWORD values = 0;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return 0;
  RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(h);
  return values;
}

}  // namespace

TEST(MainWindow, ACleanFromTheAdvancedPageRemovesOnlyTheCheckedItemsFindings) {
  SHDeleteKeyA(HKEY_CURRENT_USER, kRun);
  SetString(kRun, "a", "notepad\\1");
  SetString(kRun, "b", "cmd\\1");
  SetString(kRun, "MRUList", "ba");
  SetString(kMap, "a", "\\\\server\\share");  // an item left unchecked
  const std::wstring exe = PurvexExe();
  const std::string settings = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set";
  TAtExit removed([&settings] {
    SHDeleteKeyA(HKEY_CURRENT_USER, kRun);
    SHDeleteKeyA(HKEY_CURRENT_USER, kMap);
    DeleteFileA(settings.c_str());  // the next test starts from the default selection
  });
  SaveSelection(settings, [](const std::string&, const std::string& item) { return item == kRunItem; });

  TChild run = StartChild(L"\"" + exe + L"\"");
  const TScannedWindow window = ScanFromAdvancedPage(run, kWaitMs);
  ASSERT_TRUE(window.Scanned);
  HWND form = window.Form, clean = window.Clean;
  EXPECT_TRUE(IsWindowEnabled(clean)) << "the scan found the Run box history";
  EXPECT_EQ(ValueCount(kRun), 3u) << "a scan removes nothing";

  PostMessageW(clean, BM_CLICK, 0, 0);
  for (DWORD start = GetTickCount(); ValueCount(kRun) > 0 && GetTickCount() - start < kWaitMs;) Sleep(50);
  EXPECT_EQ(ValueCount(kRun), 0u) << "the checked item's findings are gone";
  EXPECT_EQ(ValueCount(kMap), 1u) << "an unchecked item's traces stay";
  Sleep(300);  // the clean ends with the statistics
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitExit(kWaitMs));
  char count[32] = {};
  GetPrivateProfileStringA("TraceScanOption", "PreviousCleanCount", "", count, sizeof count, settings.c_str());
  EXPECT_STREQ(count, "3") << "both entries and the list-order value";
}
