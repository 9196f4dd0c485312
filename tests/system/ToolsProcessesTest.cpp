#include "system/ToolsProcesses.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "helpers/ProcessBits.h"
#include "helpers/ProcessHelpers.h"
#include "helpers/TestContext.h"
#include "helpers/TempFolder.h"
#include "system/ToolsPrivileges.h"
#include "system/ToolsShellOpen.h"
#include "system/WideText.h"

namespace {

// A copy of the sleeper helper under a name of the test's choosing, started.
struct NamedSleeper {
  std::wstring path;
  TChild child;
  NamedSleeper(const TTempFolder& dir, const std::wstring& name) : path(dir.File(name)) {
    if (CopyFileW((ModuleDir() + L"\\sleeper.exe").c_str(), path.c_str(), FALSE))
      child = StartChild(L"\"" + path + L"\"");
  }
  ~NamedSleeper() { child.Kill(); }
};

}  // namespace

TEST(IsProcessRunning, MatchesAnyExecutableNameContainingTheText) {
  TTempFolder dir;
  NamedSleeper sleeper(dir, L"xyzet.exe");
  ASSERT_TRUE(sleeper.child);
  EXPECT_TRUE(IsProcessRunning("et.exe"));
  EXPECT_TRUE(IsProcessRunning("XYZET.EXE"));
  EXPECT_TRUE(IsProcessRunning("xyzet"));
  EXPECT_FALSE(IsProcessRunning("purvex-no-such-program.exe"));
  EXPECT_FALSE(IsProcessRunning("")) << "no name is not every program";
  EXPECT_TRUE(KillProcessByID(sleeper.child.Pid));
  EXPECT_TRUE(sleeper.child.WaitExit(5000));
  EXPECT_EQ(sleeper.child.ExitCode(), 1u);
  EXPECT_FALSE(IsProcessRunning("xyzet.exe"));
  EXPECT_FALSE(KillProcessByID(sleeper.child.Pid)) << "already gone";
}

TEST(KillProcessByName, EndsEveryProcessOfThatNameOnly) {
  TTestContext ctx(6, 1, false);
  TTempFolder dir;
  NamedSleeper a(dir, L"xyzkill.exe");
  TTempFolder other;
  NamedSleeper b(other, L"xyzkill.exe");
  NamedSleeper keep(dir, L"xyzkillnot.exe");
  ASSERT_TRUE(a.child && b.child && keep.child);
  Sleep(300);  // let the processes map their main module
  // Explorer runs in the bench, so the restart flag starts nothing.
  EXPECT_TRUE(KillProcessByName("xyzkill.exe", true));
  EXPECT_TRUE(a.child.WaitExit(5000));
  EXPECT_TRUE(b.child.WaitExit(5000));
  EXPECT_TRUE(keep.child.Running());
  EXPECT_FALSE(IsProcessRunning("xyzkill.exe"));
}

// The lowest free slot of the process's handle table, as the value a new handle gets
// (GetProcessHandleCount is a stub under Wine): a handle left open keeps its slot taken.
static uintptr_t NextHandleValue() {
  HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(probe);
  return reinterpret_cast<uintptr_t>(probe);
}

// Before its handle was owned, each look-up for an empty name left a process snapshot open.
TEST(IsProcessRunning, LeavesNoHandleBehindWhateverItIsAsked) {
  IsProcessRunning("warm-up.exe");  // libraries and caches of the first call
  const uintptr_t before = NextHandleValue();
  for (int i = 0; i < 20; ++i) {
    IsProcessRunning("");
    IsProcessRunning("purvex-no-such-program.exe");
  }
  EXPECT_EQ(NextHandleValue(), before);
}

TEST(KillProcessByName, EndsA64BitProcessToo) {
  // This 32-bit program cannot list a 64-bit process's modules: Explorer on 64-bit Windows.
  PURVEX_SKIP_IN_64BIT_PROCESS("a 64-bit process whose modules cannot be listed");
  TTestContext ctx(6, 1, true);
  TTempFolder dir;
  const std::wstring copy = dir.File(L"xyzkill64.exe");
  if (!CopyFileW(L"C:\\windows\\sysnative\\notepad.exe", copy.c_str(), FALSE))
    GTEST_SKIP() << "no 64-bit programs on 32-bit Windows";
  TChild wide = StartChild(L"\"" + copy + L"\"");
  ASSERT_TRUE(wide);
  Sleep(500);
  EXPECT_TRUE(KillProcessByName("xyzkill64.exe", false));
  EXPECT_TRUE(wide.WaitExit(5000));
  if (wide.Running()) wide.Kill();
}

TEST(KillProcessByName, DoesNothingOnWindowsNT4) {
  TTestContext ctx(4, 0, false);
  TTempFolder dir;
  NamedSleeper a(dir, L"xyznt4.exe");
  ASSERT_TRUE(a.child);
  EXPECT_TRUE(KillProcessByName("xyznt4.exe", false));
  EXPECT_TRUE(a.child.Running());
}

TEST(RunCommandLine, WaitsForTheProgramWhenAsked) {
  TTempFolder dir;
  std::string cmd = "\"" + GbkFromWide(ModuleDir()) + "\\start_recorder.exe\" " + GbkFromWide(dir.Path());
  RunCommandLine(cmd, true);
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(dir.File(L"start-*.txt").c_str(), &fd);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << "the program had not run when the call returned";
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  const DWORD start = GetTickCount();
  RunCommandLine("\"C:\\no\\such\\program.exe\"", true);  // nothing to report, nothing to wait for
  EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(OpenURL, FallsBackToInternetExplorerWhenTheShellFails) {
  TTestContext ctx(false);
  TTempFolder dir;
  std::wstring ie = dir.File(L"iexplore-stand-in.exe");
  ASSERT_TRUE(CopyFileW((ModuleDir() + L"\\arg_recorder.exe").c_str(), ie.c_str(), FALSE));
  ctx.Ctx.IEExePath = GbkFromWide(ie);
  OpenURL("purvex-no-such-scheme:page");
  std::string args;
  for (int i = 0; i < 200 && args.empty(); ++i) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(dir.File(L"args-*.txt").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      FindClose(h);
      HANDLE f = CreateFileW(dir.File(fd.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
      char buf[256] = {};
      DWORD read = 0;
      if (f != INVALID_HANDLE_VALUE) {
        ReadFile(f, buf, sizeof buf - 1, &read, nullptr);
        CloseHandle(f);
      }
      args = buf;
    }
    if (args.empty()) Sleep(50);
  }
  EXPECT_EQ(args, "purvex-no-such-scheme:page");
}

namespace {
struct ExitCall {
  int calls = 0;
  unsigned int flags = 0;
  unsigned long reason = 0;
};
ExitCall g_exit;
int __stdcall RecordExitWindows(unsigned int flags, unsigned long reason) {
  ++g_exit.calls;
  g_exit.flags = flags;
  g_exit.reason = reason;
  return TRUE;
}

bool ShutdownPrivilegeEnabled() {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  LUID luid;
  LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid);
  PRIVILEGE_SET set = {1, PRIVILEGE_SET_ALL_NECESSARY, {{luid, 0}}};
  BOOL enabled = FALSE;
  PrivilegeCheck(token, &set, &enabled);
  CloseHandle(token);
  return enabled != FALSE;
}
}  // namespace

TEST(ShutdownComputer, ForcedPowerOffOrRestartWithTheShutdownPrivilege) {
  TTestContext ctx(5, 1, false);
  g_exit = ExitCall();
  ShutdownComputer(false, RecordExitWindows);
  EXPECT_EQ(g_exit.calls, 1);
  EXPECT_EQ(g_exit.flags, static_cast<unsigned>(EWX_POWEROFF | EWX_FORCE));
  EXPECT_EQ(g_exit.reason, 0xFFFFu);
  EXPECT_TRUE(ShutdownPrivilegeEnabled());
  ShutdownComputer(true, RecordExitWindows);
  EXPECT_EQ(g_exit.calls, 2);
  EXPECT_EQ(g_exit.flags, static_cast<unsigned>(EWX_REBOOT | EWX_FORCE));
}

TEST(EnablePrivilege, KnownAndUnknownNames) {
  EXPECT_TRUE(EnablePrivilege("SeDebugPrivilege"));
  EXPECT_FALSE(EnablePrivilege("SeNoSuchPrivilege"));
}
