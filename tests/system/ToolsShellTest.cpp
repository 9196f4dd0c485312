#include "system/ToolsShell.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "helpers/Shortcut.h"
#include "helpers/TempFolder.h"
#include "system/WideText.h"

namespace {

void MakeFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

}  // namespace

TEST(ResolveShortcut, TargetPathOrOrvForShortTargets) {
  TTempFolder tmp;
  std::wstring target = tmp.File(L"target file.txt");
  MakeFile(target);
  ASSERT_TRUE(MakeShortcut(tmp.File(L"file.lnk"), target));
  ASSERT_TRUE(MakeShortcut(tmp.File(L"drive.lnk"), L"C:"));

  EXPECT_EQ(ResolveShortcut(GbkFromWide(tmp.File(L"file.lnk"))), GbkFromWide(target));
  EXPECT_EQ(ResolveShortcut(GbkFromWide(tmp.File(L"drive.lnk"))), "orv");
  EXPECT_EQ(ResolveShortcut(GbkFromWide(tmp.File(L"missing.lnk"))), "orv");
  EXPECT_EQ(ResolveShortcut(GbkFromWide(target)), "orv");  // no shortcut at all
}

TEST(GetShellLongPath, ShortAndRelativePathsComeBackLongAndFull) {
  TTempFolder tmp;
  std::wstring file = tmp.File(L"a long file name.txt");
  MakeFile(file);
  wchar_t shortPath[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameW(file.c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(std::wstring(shortPath), file);

  EXPECT_EQ(GetShellLongPath(GbkFromWide(shortPath)), GbkFromWide(file));
  wchar_t old[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, old);
  SetCurrentDirectoryW(tmp.Path().c_str());
  std::string relative = GetShellLongPath("a long file name.txt");
  SetCurrentDirectoryW(old);
  EXPECT_EQ(relative, GbkFromWide(file));
  EXPECT_EQ(GetShellLongPath(GbkFromWide(tmp.File(L"missing.txt"))), "");
  EXPECT_EQ(GetShellLongPath(""), "");
}
