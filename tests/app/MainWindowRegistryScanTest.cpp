// A scan of the registry group through the real window, in a prefix holding the demo
// seeder's invalid entries: the categories show them, and a screenshot of the advanced page
// is saved in the build folder for people to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/MainControls.h"
#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
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
