// "Purvex.exe CleanNow" from outside, as a scheduler starts it: it runs minimised, cleans
// the saved selection, records the statistics and ends by itself; no box ever waits for
// a person, not even with the tray-icon item (which would ask to restart Explorer) and a
// browser running.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>
#include <tlhelp32.h>

#include <set>
#include <string>

#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/TempFolder.h"
#include "items/ItemCatalogue.h"
#include "SavedSelection.h"
#include "system/WideText.h"

namespace {

const DWORD kWaitMs = 120000;
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kTray[] = "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\TrayNotify";
const char kTrayItem[] = "通知区域图标历史记录(重启后生效)";

void SetBinary(const char* key, const char* name) {
  HKEY h;
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
  const BYTE bytes[] = {1, 2, 3, 4};
  RegSetValueExA(h, name, 0, REG_BINARY, bytes, sizeof bytes);
  RegCloseKey(h);
}

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

std::set<DWORD> ExplorerProcesses() {
  std::set<DWORD> pids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W e = {};
  e.dwSize = sizeof e;
  for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e))
    if (lstrcmpiW(e.szExeFile, L"explorer.exe") == 0) pids.insert(e.th32ProcessID);
  CloseHandle(snap);
  return pids;
}

struct TWindowWatch {
  DWORD Pid;
  std::wstring Shown;  // class of a window of the program shown, not minimised
};

BOOL CALLBACK NoteShownWindow(HWND hwnd, LPARAM lp) {
  auto* w = reinterpret_cast<TWindowWatch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT r = {};
  GetWindowRect(hwnd, &r);
  // The application's own window has no size: it only carries the taskbar button.
  const bool hasArea = r.right > r.left && r.bottom > r.top;
  if (pid == w->Pid && IsWindowVisible(hwnd) && !IsIconic(hwnd) && hasArea) w->Shown = WindowClass(hwnd);
  return TRUE;
}

// Waits for the run to end; shown is the class of any window it showed in full meanwhile.
bool WaitEndedUnseen(const TChild& run, std::wstring& shown) {
  TWindowWatch watch = {run.Pid, L""};
  for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs;) {
    EnumWindows(NoteShownWindow, reinterpret_cast<LPARAM>(&watch));
    if (!watch.Shown.empty()) shown = watch.Shown;
    if (run.WaitExit(50)) return true;
  }
  return false;
}

std::string Setting(const std::string& settings, const char* name) {
  char text[64] = {};
  GetPrivateProfileStringA("TraceScanOption", name, "", text, sizeof text, settings.c_str());
  return text;
}

// The recommended items of the usage-trace groups. The registry group and the junk
// categories stay out: they would clean the test prefix's own entries and files.
bool RecommendedTrace(const std::string& group, const std::string& item) {
  for (const TCatalogueGroup& g : ItemCatalogue())
    if (g.Caption == group && group != kRegistryGroupCaption)
      for (const TCatalogueItem& i : g.Items)
        if (item == i.Caption) return i.Recommended;
  return false;
}

}  // namespace

TEST(CleanNow, CleansTheSelectionUnattendedRecordsItAndEnds) {
  const std::wstring exe = PurvexExe();
  const std::string settings = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set";
  TAtExit removed([&settings] {
    SHDeleteKeyA(HKEY_CURRENT_USER, kRun);
    SHDeleteValueA(HKEY_CURRENT_USER, kTray, "IconStreams");
    SHDeleteValueA(HKEY_CURRENT_USER, kTray, "PastIconsStream");
    DeleteFileA(settings.c_str());
  });
  SHDeleteKeyA(HKEY_CURRENT_USER, kRun);
  SetString(kRun, "a", "notepad\\1");
  SetString(kRun, "MRUList", "a");
  SetBinary(kTray, "IconStreams");
  SetBinary(kTray, "PastIconsStream");
  SaveSelection(settings, RecommendedTrace);

  TChild run = StartChild(L"\"" + exe + L"\" CleanNow");
  std::wstring shown;
  ASSERT_TRUE(WaitEndedUnseen(run, shown)) << "the run ends by itself";
  EXPECT_EQ(shown, L"") << "nothing but the minimised window";
  EXPECT_EQ(ValueCount(kRun), 0u) << "a recommended item's traces are gone";
  EXPECT_EQ(ValueCount(kTray), 2u) << "an optional item's traces stay";
  const std::string count = Setting(settings, "PreviousCleanCount");
  EXPECT_GE(std::atoi(count.c_str()), 2) << count;
  EXPECT_NE(Setting(settings, "PreviousCleanSize"), "");
  EXPECT_EQ(Setting(settings, "TotalCleanCount"), count);
  EXPECT_NE(Setting(settings, "TotalCleanSize"), "");
}

TEST(CleanNow, NeverWaitsForAnAnswerWithTheTrayIconItemAndABrowserRunning) {
  const std::wstring exe = PurvexExe();
  const std::string settings = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set";
  TTempFolder dir;
  const std::wstring firefox = dir.File(L"firefox.exe");
  ASSERT_TRUE(CopyFileW((ModuleDir() + L"\\sleeper.exe").c_str(), firefox.c_str(), FALSE));
  TChild browser = StartChild(L"\"" + firefox + L"\"");
  TAtExit removed([&settings] {
    SHDeleteValueA(HKEY_CURRENT_USER, kTray, "IconStreams");
    SHDeleteValueA(HKEY_CURRENT_USER, kTray, "PastIconsStream");
    DeleteFileA(settings.c_str());
  });
  SetBinary(kTray, "IconStreams");
  SetBinary(kTray, "PastIconsStream");
  SaveSelection(settings, [](const std::string& group, const std::string& item) {
    return item == kTrayItem || RecommendedTrace(group, item);
  });
  const std::set<DWORD> explorers = ExplorerProcesses();

  TChild run = StartChild(L"\"" + exe + L"\" CleanNow");
  std::wstring shown;
  ASSERT_TRUE(WaitEndedUnseen(run, shown)) << "no question holds the run up";
  EXPECT_EQ(shown, L"");
  EXPECT_EQ(ValueCount(kTray), 0u);
  EXPECT_EQ(ExplorerProcesses(), explorers) << "Explorer is not restarted unasked";
  EXPECT_TRUE(browser.Running());
  browser.Kill();
}
