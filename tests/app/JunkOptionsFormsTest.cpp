// The junk-scan options dialogs, shown for real and ticked as a user ticks them; the
// engine is the family's own, whose settings these tests never save.
#include "app/JunkOptionsForms.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "helpers/AtExit.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/ScreenCapture.h"
#include "helpers/TestContext.h"

namespace {

std::wstring Screenshot(const wchar_t* name) {
  std::wstring dir = ModuleDir() + L"\\..\\screenshots";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\" + name;
}

// Lets the dialog paint, then takes the picture.
void Picture(HWND dialog, const wchar_t* name) {
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 400;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
  SaveScreenBmp(Screenshot(name));
}

void PressOK(TModalDialog& dialog) {
  SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog.Handle(), IDOK)));
}

// A folder of the test's own directly on C:, with two sub-folders.
struct TFolders {
  std::string Top = "C:\\PvxOptions" + std::to_string(GetCurrentProcessId()) + "\\";
  TFolders() {
    CreateDirectoryA(Top.c_str(), nullptr);
    CreateDirectoryA((Top + "A").c_str(), nullptr);
    CreateDirectoryA((Top + "B").c_str(), nullptr);
  }
  ~TFolders() {
    RemoveDirectoryA((Top + "A").c_str());
    RemoveDirectoryA((Top + "B").c_str());
    RemoveDirectoryA(Top.c_str());
  }
};

// Shows the folder options with the engine's exclusions set to start, runs act on the shown
// form, and gives the exclusions the engine has afterwards.
std::string ShowOptions(TCleanWrapper& engine, const std::string& start, const std::function<void(TSetupForm&)>& act) {
  engine.SetExcludedFolders(start);
  TRubbishConfig config;
  TSetupForm form(engine, config);
  form.Shown = [&](TModalDialog&) { act(form); };
  form.ShowModal(nullptr);
  return engine.GetExcludedFolders();
}

}  // namespace

TEST(TSetupForm, UntickedFoldersAndDrivesReachTheEngineOnOK) {
  TTestContext context;
  TCleanWrapper engine;
  engine.Initialize();
  ASSERT_EQ(engine.Availability(), TCleanWrapper::kAvailable) << "the junk engine beside the tests";
  TAtExit reload([&] { engine.LoadSettings(); });
  TFolders folders;
  const std::string top = folders.Top.substr(0, folders.Top.size() - 1);

  // One folder unticked: its path without the backslash.
  EXPECT_EQ(ShowOptions(engine, "",
                [&](TSetupForm& form) {
                  form.ExpandFolder(form.FindFolder("C:\\"));
                  form.ExpandFolder(form.FindFolder(folders.Top));
                  ASSERT_NE(form.FindFolder(folders.Top + "A\\"), nullptr);
                  EXPECT_EQ(form.FindFolder(folders.Top + "A\\")->ChildCount(), 0u) << "no sub-folder, no expand button";
                  form.Folders().UserToggleCheck(form.FindFolder(folders.Top + "A\\"));
                  Picture(form.Handle(), L"options-folders.bmp");
                  PressOK(form);
                }),
            top + "\\A");
  // And its drive as well: only the drive.
  EXPECT_EQ(ShowOptions(engine, "",
                [&](TSetupForm& form) {
                  form.ExpandFolder(form.FindFolder("C:\\"));
                  form.ExpandFolder(form.FindFolder(folders.Top));
                  form.Folders().UserToggleCheck(form.FindFolder(folders.Top + "A\\"));
                  // The drive shows mixed now: a click ticks it, a second unticks it.
                  form.Folders().UserToggleCheck(form.FindFolder("C:\\"));
                  form.Folders().UserToggleCheck(form.FindFolder("C:\\"));
                  PressOK(form);
                }),
            "C:");
  // A folder ticked again under an unticked drive: the drive's other folders instead.
  const std::string third = ShowOptions(engine, "C:", [&](TSetupForm& form) {
    TTreeNode* drive = form.FindFolder("C:\\");
    EXPECT_EQ(drive->CheckState(), TCheckState::Unchecked);
    form.ExpandFolder(drive);
    form.Folders().UserToggleCheck(form.FindFolder(folders.Top));
    PressOK(form);
  });
  EXPECT_NE(third.find("C:\\windows"), std::string::npos) << third;
  EXPECT_EQ(third.find(top), std::string::npos) << third;
  EXPECT_NE(third.substr(0, 3), "C:|") << third;
  // Cancel sends nothing.
  EXPECT_EQ(ShowOptions(engine, "D:\\x",
                [&](TSetupForm& form) {
                  form.Folders().UserToggleCheck(form.FindFolder("C:\\"));
                  form.Close(IDCANCEL);
                }),
            "D:\\x");
}

TEST(TFileExtFrm, GroupsFromTheEngineAndTheSelectionLinks) {
  TTestContext context;
  TCleanWrapper engine;
  engine.Initialize();
  ASSERT_EQ(engine.Availability(), TCleanWrapper::kAvailable);
  TAtExit reload([&] { engine.LoadSettings(); });
  TFileExtFrm form(engine);
  size_t groups = 0, types = 0, checkedAfterNone = 0;
  form.Shown = [&](TModalDialog&) {
    for (TTreeNode* g = form.Types().GetFirst(); g; g = g->NextSibling(), ++groups) types += g->ChildCount();
    Picture(form.Handle(), L"options-file-types.bmp");
    HWND none = nullptr;
    for (HWND c = GetWindow(form.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      wchar_t text[64] = {};
      GetWindowTextW(c, text, 64);
      if (std::wstring(text) == L"全不选") none = c;
    }
    ASSERT_NE(none, nullptr);
    SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(none), STN_CLICKED), reinterpret_cast<LPARAM>(none));
    const TRubbishItem root = engine.GetFileTypeRoot();
    for (TRubbishItem item = engine.GetFirstChild(root); item; item = engine.GetNextItem(item))
      checkedAfterNone += engine.GetItemChecked(item) ? 1 : 0;
    form.Close(IDCANCEL);
  };
  form.ShowModal(nullptr);
  EXPECT_GT(groups, 0u);
  EXPECT_GT(types, groups);
  EXPECT_EQ(checkedAfterNone, 0u) << "全不选 unticks every type in the engine";
}

// Without the engine every item call answers -1: the form shows nothing, and its walk over
// the engine's answers ends (before, it went on for ever on the window's thread).
TEST(TFileExtFrm, WithoutTheEngineTheFormIsEmptyAndItsWalkEnds) {
  TTestContext context;
  TCleanWrapper noEngine("purvex-no-such-engine.dll");
  noEngine.Initialize();
  ASSERT_NE(noEngine.Availability(), TCleanWrapper::kAvailable);
  TFileExtFrm form(noEngine);
  bool shown = false, empty = false;
  form.Shown = [&](TModalDialog&) {
    shown = true;
    empty = form.Types().GetFirst() == nullptr;
    form.Close(IDCANCEL);
  };
  form.ShowModal(nullptr);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(empty);
}

TEST(TSetupForm, OpensQuicklyOnADriveWithTenThousandTopLevelFolders) {
  TTestContext context;
  TCleanWrapper engine;
  engine.Initialize();
  ASSERT_EQ(engine.Availability(), TCleanWrapper::kAvailable);
  TAtExit reload([&] { engine.LoadSettings(); });
  const std::string prefix = "C:\\PvxMany" + std::to_string(GetCurrentProcessId()) + "-";
  std::vector<std::string> made;
  TAtExit removeFolders([&] {
    for (const std::string& folder : made) RemoveDirectoryA(folder.c_str());
  });
  for (int i = 0; i < 10000; ++i) {
    const std::string folder = prefix + std::to_string(i);
    if (CreateDirectoryA(folder.c_str(), nullptr)) made.push_back(folder);
  }
  ASSERT_EQ(made.size(), 10000u);
  // One of them excluded: the drive's state needs its folders listed.
  engine.SetExcludedFolders(made[5000]);
  TRubbishConfig config;
  TSetupForm form(engine, config);
  LARGE_INTEGER frequency, start, shown;
  QueryPerformanceFrequency(&frequency);
  TCheckState driveState = TCheckState::Unchecked;
  form.Shown = [&](TModalDialog&) {
    QueryPerformanceCounter(&shown);
    driveState = form.FindFolder("C:\\")->CheckState();
    form.Close(IDCANCEL);
  };
  QueryPerformanceCounter(&start);
  form.ShowModal(nullptr);
  const double seconds = double(shown.QuadPart - start.QuadPart) / double(frequency.QuadPart);
  EXPECT_EQ(driveState, TCheckState::Mixed);
  EXPECT_LT(seconds, 0.5) << "sub-folders are listed only when their folder is expanded";
  std::printf("options dialog with 10,000 folders on C: open in %.3f s\n", seconds);
}
