// Runs that meet an error or numbers from outside at their maxima, from outside: an
// unattended run always ends by itself (with its own exit code when it could not finish,
// and no box waits for anybody), and a person can still close the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlwapi.h>

#include <string>

#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/TempFolder.h"
#include "SavedSelection.h"
#include "system/WideText.h"

namespace {

const DWORD kEndsWithinMs = 60000;
const char kQQToolbar[] = "Software\\Tencent\\QQToolbar\\History";
const char kOpera[] = "SOFTWARE\\Opera SoftWare";

// The test seam of the program: every scan fails as it starts.
class TScanFault {
 public:
  TScanFault() { SetEnvironmentVariableW(L"PURVEX_TEST_FAULT", L"scan"); }
  ~TScanFault() { SetEnvironmentVariableW(L"PURVEX_TEST_FAULT", nullptr); }
};

std::string SettingsOf(const std::wstring& exe) { return GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set"; }

void WriteFileText(const std::wstring& path, const std::string& text) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  CloseHandle(h);
}

// Answers the process's message box, when one shows; true when there was one.
bool CloseBox(DWORD pid) {
  const HWND box = FindProcessWindow(pid, L"#32770");
  if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  return box != nullptr;
}

}  // namespace

// "CleanNow" whose scan fails, and one whose toolbar history claims 2^31-1 entries beside a
// browser session claiming as many windows: each ends within a minute, the failed one with
// a code of its own, and no window is left behind.
TEST(UnattendedRun, EndsWithinAMinuteAfterAnErrorOrWithCountsAtTheirMaxima) {
  const std::wstring exe = PurvexExe();
  const std::string settings = SettingsOf(exe);
  TTempFolder opera;
  TAtExit removed([&settings] {
    SHDeleteKeyA(HKEY_CURRENT_USER, kQQToolbar);
    SHDeleteKeyA(HKEY_CURRENT_USER, kOpera);
    DeleteFileA(settings.c_str());
  });
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kQQToolbar, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  const DWORD most = 0x7FFFFFFF;
  RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&most), sizeof most);
  RegSetValueExA(key, "History1", 0, REG_SZ, reinterpret_cast<const BYTE*>("a"), 2);
  RegCloseKey(key);
  WriteFileText(opera.File(L"opera.exe"), "MZ");
  CreateDirectoryW(opera.File(L"sessions").c_str(), nullptr);
  WriteFileText(opera.File(L"sessions\\autosave.win"), "[session]\r\nwindow count=2147483647\r\n[1history url]\r\nurl=a\r\n");
  const std::string folder = GbkFromWide(opera.Path());
  SHSetValueA(HKEY_CURRENT_USER, kOpera, "Last Directory", REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1));

  const struct {
    bool Fault;
    DWORD ExitCode;
  } kRuns[] = {{true, 2}, {false, 0}};
  for (const auto& r : kRuns) {
    SCOPED_TRACE(r.Fault ? "a scan that fails" : "counts at their maxima");
    SaveSelection(settings, [](const std::string&, const std::string& item) {
      return item == "搜搜工具条搜索记录" || item == "Opera 地址栏网址历史";
    });
    std::unique_ptr<TScanFault> fault(r.Fault ? new TScanFault : nullptr);
    TChild run = StartChild(L"\"" + exe + L"\" CleanNow");
    fault.reset();
    const DWORD start = GetTickCount();
    bool ended = run.WaitExit(kEndsWithinMs);
    if (!ended) run.Kill();
    ASSERT_TRUE(ended) << "still running after a minute";
    EXPECT_LT(GetTickCount() - start, kEndsWithinMs);
    EXPECT_EQ(run.ExitCode(), r.ExitCode);
  }
  char text[8] = {};
  DWORD size = sizeof text;
  EXPECT_NE(SHGetValueA(HKEY_CURRENT_USER, kQQToolbar, "History1", nullptr, text, &size), ERROR_SUCCESS)
      << "the run with the maxima finished its clean";
}

// A scan that fails in the window: its box is answered, and the window then closes.
TEST(UnattendedRun, TheWindowClosesAfterAnErrorInAScan) {
  const std::wstring exe = PurvexExe();
  TAtExit removed([settings = SettingsOf(exe)] { DeleteFileA(settings.c_str()); });
  TChild run;
  {
    TScanFault fault;
    run = StartChild(L"\"" + exe + L"\"");
  }
  const HWND form = WaitForProcessWindow(run, L"TFormPurvex", 30000);
  ASSERT_NE(form, nullptr);
  SendMessageW(mainwindow::ChildById(form, ID_BTN_OVERVIEW), BM_CLICK, 0, 0);
  PostMessageW(mainwindow::ChildById(form, ID_BTN_SCANTRACE), BM_CLICK, 0, 0);
  bool boxed = false;
  for (DWORD start = GetTickCount(); !boxed && GetTickCount() - start < 20000; Sleep(100)) boxed = CloseBox(run.Pid);
  EXPECT_TRUE(boxed) << "the error is shown to the person";
  Sleep(500);
  PostMessageW(form, WM_CLOSE, 0, 0);
  const bool closed = run.WaitExit(30000);
  if (!closed) run.Kill();
  EXPECT_TRUE(closed) << "the window refused to close after the error";
}
