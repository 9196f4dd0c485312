// A scan of the registry group through the real window, in a prefix holding the demo
// seeder's invalid entries: the categories show them, and a screenshot of the advanced page
// is saved in the build folder for people to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/MainControls.h"
#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
#include "helpers/PrefixSnapshot.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/ScreenCapture.h"
#include "SavedSelection.h"
#include "system/WideText.h"

namespace {
using namespace mainwindow;

const DWORD kWaitMs = 60000;

bool RunSeeder(const wchar_t* mode) {
  TChild seeder = StartChild(L"\"" + ModuleDir() + L"\\demo_seeder.exe\" " + mode);
  return seeder.WaitExit(30000) && seeder.ExitCode() == 0;
}

}  // namespace

TEST(MainWindow, ARegistryScanShowsTheSeededInvalidEntries) {
  ASSERT_TRUE(RunSeeder(L"/registry"));
  const std::wstring exe = PurvexExe();
  const std::string settings = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set";
  TAtExit removed([&settings] {
    RunSeeder(L"/remove-registry");
    DeleteFileA(settings.c_str());  // the next test starts from the default selection
  });
  SaveSelection(settings, [](const std::string& group, const std::string&) { return group == "注册表"; });

  TChild run = StartChild(L"\"" + exe + L"\"");
  const TScannedWindow window = ScanFromAdvancedPage(run, kWaitMs);
  ASSERT_TRUE(window.Scanned);
  HWND form = window.Form;
  EXPECT_TRUE(IsWindowEnabled(window.Clean)) << "the registry categories found the seeded entries";
  Sleep(500);  // let it paint
  std::wstring dir = ModuleDir() + L"\\..\\screenshots";
  CreateDirectoryW(dir.c_str(), nullptr);
  EXPECT_TRUE(SaveScreenBmp(dir + L"\\advanced-registry-scan.bmp"));
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitExit(kWaitMs));
  run.Kill();
}

namespace {

std::vector<std::string> BackupFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*.reg").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(folder + "\\" + data.cFileName);
  while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

// What changed, without the device keys of the display, which Wine's display driver
// rewrites when a program opens the display.
std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines)
    if (l.find("\\CurrentControlSet\\Control\\Class\\") == std::string::npos &&
        l.find("\\CurrentControlSet\\Enum\\") == std::string::npos)
      out += l + "\n";
  return out;
}

}  // namespace

// The text of a message box the program shows, answered with the button given; empty when
// none came within the time.
std::wstring AnswerMessage(const TChild& run, int button) {
  HWND box = WaitForProcessWindow(run, L"#32770", kWaitMs);
  if (!box) return std::wstring();
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message's static text
  PostMessageW(box, WM_COMMAND, button, 0);
  for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < kWaitMs;) Sleep(50);
  return text;
}

TEST(MainWindow, ARegistryCleanLeavesABackupThatTheRestoreLinkBringsBack) {
  ASSERT_TRUE(RunSeeder(L"/registry"));
  const std::wstring exe = PurvexExe();
  const std::string folder = GbkFromWide(exe.substr(0, exe.rfind(L'\\')));
  const std::string settings = folder + "\\Marvolent.set", backups = folder + "\\RegBak",
                    restored = folder + "\\RegRestore";
  TAtExit removed([&] {
    RunSeeder(L"/remove-registry");
    for (const std::string& dir : {backups, restored}) {
      for (const std::string& file : BackupFiles(dir)) DeleteFileA(file.c_str());
      RemoveDirectoryA(dir.c_str());
    }
    DeleteFileA(settings.c_str());
  });
  SaveSelection(settings, [](const std::string& group, const std::string&) { return group == "注册表"; });

  TChild run = StartChild(L"\"" + exe + L"\"");
  const TScannedWindow window = ScanFromAdvancedPage(run, kWaitMs);
  ASSERT_TRUE(window.Scanned);
  const TSnapshot before = SnapshotRegistry();
  ASSERT_GT(before.size(), 10000u);
  PostMessageW(window.Clean, BM_CLICK, 0, 0);
  // The clean ends with the scan button enabled again.
  for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(100))
    if (!BackupFiles(backups).empty() && IsWindowEnabled(window.Scan)) break;
  Sleep(500);
  const std::vector<std::string> files = BackupFiles(backups);
  ASSERT_EQ(files.size(), 1u) << "one dated backup";
  EXPECT_NE(Lines(Differences(before, SnapshotRegistry())), "") << "the clean removed the findings";

  // "恢复注册表": confirmed, the backup goes back in and moves to RegRestore.
  HWND restore = ChildById(window.Form, ID_LBL_RESTORE);
  PostMessageW(window.Form, WM_COMMAND, MAKEWPARAM(ID_LBL_RESTORE, STN_CLICKED), reinterpret_cast<LPARAM>(restore));
  EXPECT_EQ(AnswerMessage(run, IDOK), L"确定恢复最近一次清理自动备份的注册表数据吗?");
  EXPECT_EQ(AnswerMessage(run, IDOK), L"恢复最近一次备份的注册表数据成功。");
  EXPECT_EQ(Lines(Differences(before, SnapshotRegistry())), "") << "the backup brings back every key and value";
  EXPECT_TRUE(BackupFiles(backups).empty());
  EXPECT_EQ(BackupFiles(restored).size(), 1u);
  // Nothing left to restore.
  PostMessageW(window.Form, WM_COMMAND, MAKEWPARAM(ID_LBL_RESTORE, STN_CLICKED), reinterpret_cast<LPARAM>(restore));
  EXPECT_EQ(AnswerMessage(run, IDOK), L"确定恢复最近一次清理自动备份的注册表数据吗?");
  EXPECT_EQ(AnswerMessage(run, IDOK), L"没有可以恢复的注册表数据备份。");

  PostMessageW(window.Form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitExit(kWaitMs));
  run.Kill();
}
