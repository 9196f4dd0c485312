// The home page's one-click clean through the real window, on a temporary folder of
// 120,000 junk files: the window stays responsive while the junk findings pour in, a
// cancel leaves everything and records nothing, a run cleans, a later run cleans what its
// own scan found, and a run that finds nothing ends with the empty finish. Screenshots of
// the page idle, running, cancelled and finished go to the build folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/MainControls.h"
#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/ScreenCapture.h"
#include "helpers/TempFolder.h"
#include "helpers/TempRedirect.h"
#include "app/SavedSelection.h"
#include "system/WideText.h"

namespace {
using namespace mainwindow;

const DWORD kWaitMs = 180000;
const int kJunkFiles = 120000;

void Screenshot(const wchar_t* name) {
  std::wstring dir = ModuleDir() + L"\\..\\screenshots";
  CreateDirectoryW(dir.c_str(), nullptr);
  Sleep(300);  // let the page paint
  SaveScreenBmp(dir + L"\\" + name);
}

// Wine looks a new name up by reading the whole folder, so the files are spread over
// folders of 500.
const int kPerFolder = 500;

void MakeFiles(const TTempFolder& dir, int count) {
  for (int i = 0; i < count; ++i) {
    const std::wstring folder = dir.File(L"d" + std::to_wstring(i / kPerFolder));
    if (i % kPerFolder == 0) CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE h = CreateFileW((folder + L"\\j" + std::to_wstring(i) + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, 0, nullptr);
    DWORD done = 0;
    WriteFile(h, "junk", 4, &done, nullptr);
    CloseHandle(h);
  }
}

int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do {
    const std::wstring name = d.cFileName;
    if (name == L"." || name == L"..") continue;
    n += (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FilesIn(folder + L"\\" + name) : 1;
  } while (FindNextFileW(h, &d));
  FindClose(h);
  return n;
}

// A click on a label: its panel passes the notification on to the form.
void ClickLabel(HWND label) {
  PostMessageW(GetParent(label), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED),
               reinterpret_cast<LPARAM>(label));
}

std::string Setting(const std::string& settings, const char* name) {
  char text[64] = {};
  GetPrivateProfileStringA("TraceScanOption", name, "", text, sizeof text, settings.c_str());
  return text;
}

bool Visible(HWND form, int id) { return IsWindowVisible(ChildById(form, id)) != FALSE; }

}  // namespace

TEST(OneClickHome, ManyJunkFilesCancelCleanAndCleanAgain) {
  const std::wstring exe = PurvexExe();  // its copy goes to the temporary folder: before the redirect
  TTempFolder junk;
  const DWORD made = GetTickCount();
  MakeFiles(junk, kJunkFiles);
  std::printf("made %d files in %lu ms\n", kJunkFiles, GetTickCount() - made);
  std::fflush(stdout);
  TTempRedirect redirect(GbkFromWide(junk.Path()).c_str());  // the program inherits it
  const std::string settings = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Marvolent.set";
  TAtExit removed([&settings] { DeleteFileA(settings.c_str()); });
  SaveSelection(settings, [](const std::string&, const std::string& item) { return item == "用户临时文件"; });

  TChild run = StartChild(L"\"" + exe + L"\"");
  HWND form = WaitForProcessWindow(run, L"TFormPurvex", 20000);
  ASSERT_NE(form, nullptr);
  HWND label4 = ChildById(form, ID_LABEL4);
  Screenshot(L"home-idle.bmp");

  // The advanced page's scan, while this side asks the window for an answer again and
  // again: the longest wait is the longest time the window did not process messages.
  HWND scan = ChildById(form, ID_BTN_SCANTRACE);
  SendMessageW(ChildById(form, ID_BTN_OVERVIEW), BM_CLICK, 0, 0);
  PostMessageW(scan, BM_CLICK, 0, 0);
  DWORD longest = 0;
  const DWORD began = GetTickCount();
  while (WindowText(scan) != L"重新扫描" && GetTickCount() - began < kWaitMs) {
    const DWORD asked = GetTickCount();
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer);
    longest = std::max<DWORD>(longest, GetTickCount() - asked);
    Sleep(5);
  }
  std::printf("scan of %d junk files: %lu ms, longest wait for the window %lu ms\n", kJunkFiles,
              GetTickCount() - began, longest);
  ASSERT_EQ(WindowText(scan), L"重新扫描");
  EXPECT_LT(longest, 1000u) << "the window kept processing messages";
  EXPECT_EQ(WindowText(ChildById(form, ID_LBL_DESC2)).find(L"120000个，"), 0u)
      << "every finding is in the tree: " << GbkFromWide(WindowText(ChildById(form, ID_LBL_DESC2)));
  EXPECT_EQ(WindowText(ChildById(form, ID_LBL_DESC3)), L"。垃圾文件数量过大，建议检查磁盘错误");
  EXPECT_EQ(FilesIn(junk.Path()), kJunkFiles) << "a scan deletes nothing";

  // The one-click clean, cancelled during its scan.
  SendMessageW(ChildById(form, ID_BTN_HOMEPAGE), BM_CLICK, 0, 0);
  ClickLabel(ChildById(form, ID_LABEL10));
  ASSERT_TRUE(WaitForText(label4, L"正在进行Purvex，请稍候......", 20000));
  EXPECT_TRUE(Visible(form, ID_PROGRESSBAR1) && Visible(form, ID_BUTTON1) && Visible(form, ID_VT_CLEANRESULT));
  EXPECT_FALSE(Visible(form, ID_LABEL10));
  EXPECT_FALSE(IsWindowEnabled(ChildById(form, ID_BTN_OVERVIEW))) << "the page buttons wait for the run";
  Screenshot(L"home-running.bmp");
  PostMessageW(ChildById(form, ID_BUTTON1), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitForText(label4, L"本次清理没有完成，建议立即进行Purvex", kWaitMs));
  EXPECT_FALSE(Visible(form, ID_VT_CLEANRESULT));
  EXPECT_TRUE(Visible(form, ID_LABEL10));
  EXPECT_FALSE(Visible(form, ID_BUTTON1));
  Screenshot(L"home-cancelled.bmp");
  EXPECT_EQ(FilesIn(junk.Path()), kJunkFiles);
  EXPECT_EQ(Setting(settings, "PreviousCleanCount"), "") << "a cancelled run records nothing";

  // The whole run.
  ClickLabel(ChildById(form, ID_LABEL10));
  ASSERT_TRUE(WaitForText(label4, L"恭喜您！已成功清理了垃圾文件和上网痕迹。", kWaitMs));
  EXPECT_TRUE(Visible(form, ID_LBL_RECLEAN));
  EXPECT_TRUE(Visible(form, ID_VT_CLEANRESULT));
  EXPECT_FALSE(Visible(form, ID_PROGRESSBAR1));
  EXPECT_TRUE(IsWindowEnabled(ChildById(form, ID_BTN_OVERVIEW)));
  Screenshot(L"home-finished.bmp");
  EXPECT_EQ(FilesIn(junk.Path()), 0);
  EXPECT_EQ(Setting(settings, "PreviousCleanCount"), std::to_string(kJunkFiles));

  // "重新清理" with new junk: cleaned, not the empty finish of a program that cleaned once.
  MakeFiles(junk, 3);
  SetWindowTextW(label4, L"");
  ClickLabel(ChildById(form, ID_LBL_RECLEAN));
  ASSERT_TRUE(WaitForText(label4, L"恭喜您！已成功清理了垃圾文件和上网痕迹。", kWaitMs));
  EXPECT_EQ(FilesIn(junk.Path()), 0);
  EXPECT_EQ(Setting(settings, "PreviousCleanCount"), "3");

  // Nothing left: the empty finish.
  ClickLabel(ChildById(form, ID_LBL_RECLEAN));
  ASSERT_TRUE(WaitForText(label4, L"您的电脑状况良好，无需进行系统清理", kWaitMs));
  EXPECT_EQ(WindowText(ChildById(form, ID_LABEL5)), L"本次清理结果：没有需要清理的项目");
  EXPECT_EQ(Setting(settings, "PreviousCleanCount"), "3");

  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitExit(20000));
}
