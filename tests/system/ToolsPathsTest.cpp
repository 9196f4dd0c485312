#include "system/ToolsPaths.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include "helpers/TestContext.h"
#include "system/FolderValues.h"
#include "system/ToolsShell.h"
#include "system/WideText.h"

namespace {

// An environment variable set for one test and restored afterwards.
class TEnvVar {
 public:
  TEnvVar(const char* name, const std::string& value) : name_(name) {
    char buf[32768];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    had_ = n > 0 && n < sizeof buf;
    if (had_) old_ = buf;
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~TEnvVar() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

std::string Env(const char* name) {
  char buf[MAX_PATH] = {};
  GetEnvironmentVariableA(name, buf, MAX_PATH);
  return buf;
}

}  // namespace

TEST(ExpandEnvVars, ExpandsKnownVariablesWhateverTheirLength) {
  std::string windows = Env("WINDIR");
  ASSERT_FALSE(windows.empty());
  EXPECT_EQ(ExpandEnvVars("%WinDir%\\x.dll"), windows + "\\x.dll");
  EXPECT_EQ(ExpandEnvVars("%PURVEX_NO_SUCH_VARIABLE%\\x"), "%PURVEX_NO_SUCH_VARIABLE%\\x");
  std::string longValue(400, 'a');
  TEnvVar var("PURVEX_LONG_VALUE", longValue);
  EXPECT_EQ(ExpandEnvVars("C:\\%PURVEX_LONG_VALUE%"), "C:\\" + longValue);
}

TEST(ExpandPathVariables, FolderValuesOfTheContextAndItsView) {
  for (bool wow64 : {false, true}) {
    TTestContext context(wow64);
    context.Ctx.WindowsDir = "C:\\Windows";
    context.Ctx.ProgFilesDir = "C:\\Program Files (x86)";
    context.Ctx.ProgFiles64Dir = "C:\\Program Files";
    EXPECT_EQ(ExpandPathVariables("@%SystemRoot%\\system32\\x.dll,-123", false), "C:\\Windows\\system32\\x.dll");
    EXPECT_EQ(ExpandPathVariables("%programfiles%\\a.exe -x", true),
              wow64 ? "C:\\Program Files\\a.exe" : "C:\\Program Files (x86)\\a.exe");
    EXPECT_EQ(ExpandPathVariables("%programfiles%\\a.exe", false), "C:\\Program Files (x86)\\a.exe");
  }
}

TEST(GetSpecialFolder, ShellFoldersAndTheLocalLowFolder) {
  EXPECT_EQ(GetSpecialFolder(kSpecialFolderLocalLow), Env("USERPROFILE") + "\\AppData\\LocalLow");
  EXPECT_EQ(GetSpecialFolder(CSIDL_APPDATA), Env("APPDATA"));
  EXPECT_EQ(GetSpecialFolder(CSIDL_PROFILE), Env("USERPROFILE"));
  // 32-bit programs get the folder of 32-bit programs
  EXPECT_EQ(GetSpecialFolder(CSIDL_PROGRAM_FILES), Env("ProgramFiles"));
  EXPECT_EQ(GetSpecialFolder(0x7F), "");
}

TEST(FillFolderValues, ReadsThisComputersFolders) {
  TTestContext context;
  bool wow64 = context.Ctx.IsWow64();
  TEnvVar path("PATH", "C:\\a;\"C:\\b;c\";;C:\\d");
  ASSERT_TRUE(FillFolderValues(context.Ctx));
  const TAppContext& c = context.Ctx;

  char buf[MAX_PATH] = {};
  GetWindowsDirectoryA(buf, MAX_PATH);
  EXPECT_EQ(c.WindowsDir, buf);
  GetSystemDirectoryA(buf, MAX_PATH);
  EXPECT_EQ(c.SystemDir, buf);
  GetTempPathA(MAX_PATH, buf);
  EXPECT_EQ(c.TempDir, buf);

  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::string programDir = GbkFromWide(module);
  programDir.resize(programDir.rfind('\\') + 1);
  EXPECT_EQ(c.ProgramDir, programDir);
  EXPECT_EQ(c.RegBakDir, programDir + "RegBak");
  EXPECT_EQ(c.RegRestoreDir, programDir + "RegRestore");

  EXPECT_EQ(c.ProgFilesDir, Env("ProgramFiles"));
  EXPECT_EQ(c.CommonFilesDir, Env("CommonProgramFiles"));
  EXPECT_EQ(c.AppDataDir, Env("APPDATA"));
  EXPECT_EQ(c.UserProfileDir, Env("USERPROFILE"));
  EXPECT_EQ(c.ProgFiles64Dir, wow64 ? Env("ProgramW6432") : "");
  EXPECT_EQ(c.CommonFiles64Dir, wow64 ? Env("CommonProgramW6432") : "");
  if (wow64) {
    EXPECT_NE(c.ProgFiles64Dir, c.ProgFilesDir);
  }
  EXPECT_EQ(c.DesktopWindow, static_cast<void*>(GetDesktopWindow()));
  EXPECT_EQ(c.PathDirs, (std::vector<std::string>{"C:\\a", "C:\\b;c", "C:\\d"}));
}
