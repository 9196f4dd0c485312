// The main window from outside: its controls are real child windows with their captions,
// the page buttons switch pages, a scan runs from the advanced page; screenshots of both
// pages are saved in the build folder for people to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/MainControls.h"
#include "app/MainWindowFinder.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/ScreenCapture.h"

namespace {
using namespace mainwindow;

const DWORD kWaitMs = 20000;

std::wstring ScreenshotPath(const wchar_t* name) {
  std::wstring dir = ModuleDir() + L"\\..\\screenshots";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\" + name;
}

}  // namespace

TEST(MainWindow, PagesControlsAndAScanFromTheAdvancedPage) {
  TChild run = StartChild(L"\"" + PurvexExe() + L"\"");
  HWND form = WaitForProcessWindow(run, L"TFormPurvex", kWaitMs);
  ASSERT_NE(form, nullptr);
  // First shown 15 pixels above the centre of the screen (it moves there when first
  // activated, which may take a moment under load).
  RECT frame;
  auto expectedTop = [&] { return (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2 - 15; };
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50)) {
    GetWindowRect(form, &frame);
    if (frame.top == expectedTop()) break;
  }
  EXPECT_EQ(frame.top, expectedTop());
  Sleep(300);  // let it paint
  struct Caption {
    int Id;
    const wchar_t* Text;
  } captions[] = {
      {ID_BTN_HOMEPAGE, L"Purvex"},          {ID_BTN_OVERVIEW, L"高级清理"},
      {ID_LABEL7, L"MarvolentPurvex能做些什么？"}, {ID_LABEL10, L"Purvex"},
      {ID_LBL_SHORTCUT, L"快捷操作"},          {ID_LABEL_AUTOCLEAN, L"定时自动清理"},
      {ID_LABEL1, L"全选"},                  {ID_LABEL2, L"全不选"},
      {ID_LABEL3, L"推荐"},                  {ID_LBL_RESTORE, L"恢复注册表"},
      {ID_LBL_OPTION, L"选项"},              {ID_BTN_SCANTRACE, L"开始扫描"},
      {ID_BTN_DELETEALLTRACE, L"立即清理"},    {ID_BTN_CLOSE, L"退出"},
      {ID_CHK_AUTOSHUTDOWN, L"清理完成后自动关机"}, {ID_LBL_RECLEAN, L"重新清理"},
      {ID_BUTTON1, L"取消清理"},
  };
  for (const Caption& c : captions) {
    HWND child = ChildById(form, c.Id);
    ASSERT_NE(child, nullptr) << c.Id;
    EXPECT_EQ(WindowText(child), c.Text) << c.Id;
  }
  HWND clean = ChildById(form, ID_BTN_DELETEALLTRACE);
  EXPECT_FALSE(IsWindowEnabled(clean)) << "立即清理 is disabled before a scan";
  EXPECT_TRUE(SaveScreenBmp(ScreenshotPath(L"home.bmp")));

  HWND scan = ChildById(form, ID_BTN_SCANTRACE);
  EXPECT_FALSE(IsWindowVisible(scan)) << "the advanced page is hidden at start";
  SendMessageW(ChildById(form, ID_BTN_OVERVIEW), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowVisible(scan));
  EXPECT_FALSE(IsWindowVisible(ChildById(form, ID_LABEL10)));
  PostMessageW(scan, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitForText(scan, L"重新扫描", kWaitMs)) << "the scan ends with the caption 重新扫描";
  Sleep(500);
  EXPECT_TRUE(SaveScreenBmp(ScreenshotPath(L"advanced-after-scan.bmp")));

  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitExit(kWaitMs));
  run.Kill();
}
