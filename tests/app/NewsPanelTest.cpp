// The home page's news from a Log.dat beside the program: the notes box, its heading and
// link, and a screenshot of the official log for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/MainControls.h"
#include "app/MainWindowFinder.h"
#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ProgramCopy.h"
#include "helpers/ScreenCapture.h"
#include "system/WideText.h"

using namespace mainwindow;

TEST(MainWindow, TheNewsPanelShowsTheLogAndTheNotesOfLogDat) {
  const std::wstring exe = PurvexExe();
  const std::string log = GbkFromWide(exe.substr(0, exe.rfind(L'\\'))) + "\\Log.dat";
  // The program's text is code page 936, as this file's narrow literals.
  const std::string text =
      "[Purvex]\r\n新版本发布|clRed=http://example.invalid/a\r\n没有链接的条目=只是文字\r\n"
      "[Note]\r\nCleaner|第一行=http://example.invalid/one\r\nOther|不显示=x\r\nCleaner|第二行=http://example.invalid/two\r\n";
  HANDLE file = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  CloseHandle(file);
  TAtExit remove([log] { DeleteFileA(log.c_str()); });

  TChild run = StartChild(L"\"" + exe + L"\"");
  HWND form = WaitForProcessWindow(run, L"TFormPurvex", 20000);
  ASSERT_NE(form, nullptr);
  HWND memo = ChildById(form, ID_NOTEMEMO);
  EXPECT_TRUE(WaitForText(ChildById(form, ID_LABEL17), L"了解详情", 20000));
  EXPECT_EQ(WindowText(ChildById(form, ID_LABEL16)), L"使用说明");
  wchar_t notes[256] = {};
  SendMessageW(memo, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(notes));  // an edit's text is asked for
  EXPECT_EQ(std::wstring(notes), L"第一行\r\n第二行") << "only Cleaner lines, in file order";
  Sleep(300);
  std::wstring dir = ModuleDir() + L"\\..\\screenshots";
  CreateDirectoryW(dir.c_str(), nullptr);
  EXPECT_TRUE(SaveScreenBmp(dir + L"\\home-news.bmp"));
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_TRUE(run.WaitExit(20000));
  run.Kill();
}
