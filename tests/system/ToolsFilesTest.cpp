#include "system/ToolsFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "helpers/ProcessBits.h"
#include "helpers/TempFolder.h"
#include "helpers/TestContext.h"
#include "system/ToolsViews.h"
#include "system/WideText.h"

namespace {

std::string MakeFile(const std::string& path, const char* content = "x") {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) ADD_FAILURE() << "cannot create " << path;
  DWORD written = 0;
  WriteFile(h, content, static_cast<DWORD>(strlen(content)), &written, nullptr);
  CloseHandle(h);
  return path;
}

// The current folder changed for one test.
class TCurrentFolder {
 public:
  explicit TCurrentFolder(const std::wstring& dir) {
    GetCurrentDirectoryW(MAX_PATH, old_);
    SetCurrentDirectoryW(dir.c_str());
  }
  ~TCurrentFolder() { SetCurrentDirectoryW(old_); }

 private:
  wchar_t old_[MAX_PATH] = {};
};

}  // namespace

TEST(FileExistsStrict, FilesOnlyNeverFoldersOrPatterns) {
  TTempFolder tmp;
  std::string dir = GbkFromWide(tmp.Path());
  std::string file = MakeFile(dir + "\\a.txt");
  EXPECT_TRUE(FileExistsStrict(file));
  EXPECT_FALSE(FileExistsStrict(dir));
  EXPECT_FALSE(FileExistsStrict(dir + "\\missing.txt"));
  EXPECT_FALSE(FileExistsStrict(dir + "\\missing\\a.txt"));
  EXPECT_FALSE(FileExistsStrict(dir + "\\*.txt"));
  EXPECT_FALSE(FileExistsStrict(""));
}

TEST(FileExistsInPathDirs, BareNamesAreLookedUpInPathDirsOnly) {
  TTestContext context;
  TTempFolder tmp;
  std::string dir = GbkFromWide(tmp.Path());
  CreateDirectoryA((dir + "\\bin").c_str(), nullptr);
  MakeFile(dir + "\\bin\\tool.exe");
  MakeFile(dir + "\\here.exe");
  TCurrentFolder current(tmp.Path());
  context.Ctx.PathDirs = {"", dir + "\\missing", dir + "\\bin\\"};

  EXPECT_TRUE(FileExistsInPathDirs("tool.exe"));
  EXPECT_FALSE(FileExistsInPathDirs("tool"));
  EXPECT_TRUE(FileExistsOnPath("tool"));
  EXPECT_FALSE(FileExistsOnPath("tool.com"));
  // the current folder is never searched for a bare name...
  EXPECT_FALSE(FileExistsInPathDirs("here.exe"));
  EXPECT_FALSE(FileExistsOnPath("here"));
  // ...but a name with a backslash is tested as it stands, relative to it
  EXPECT_TRUE(FileExistsInPathDirs("bin\\tool.exe"));
  EXPECT_TRUE(FileExistsInPathDirs(dir + "\\here.exe"));
  EXPECT_FALSE(FileExistsInPathDirs("missing\\tool.exe"));
  // with no PATH folders at all every name is tested as it stands
  context.Ctx.PathDirs.clear();
  EXPECT_TRUE(FileExistsInPathDirs("here.exe"));
  EXPECT_TRUE(FileExistsOnPath("here"));
}

TEST(IsLiveFile, FilesScheduledForDeletionCountAsGone) {
  TTestContext context;
  TTempFolder tmp;
  std::string dir = GbkFromWide(tmp.Path());
  std::string kept = MakeFile(dir + "\\kept.txt");
  std::string pending = MakeFile(dir + "\\pending.txt");
  context.Ctx.PendingDeleteFiles.insert(dir + "\\PENDING.TXT");
  EXPECT_TRUE(IsLiveFile(kept));
  EXPECT_FALSE(IsLiveFile(pending));
  EXPECT_FALSE(IsLiveFile(" " + pending));
  EXPECT_FALSE(IsLiveFile(dir + "\\missing.txt"));
  EXPECT_FALSE(IsLiveFile(dir));
}

// A file and a folder in the system folder of the 64-bit view only (win64 prefix); in the
// win32 prefix there is one view and both are plainly there.
TEST(FileExistsAnyView, FindsWhatOnlyTheNativeSystemFolderHolds) {
  PURVEX_SKIP_IN_64BIT_PROCESS("file-system redirection of the system folder");
  TTestContext context;
  bool wow64 = context.Ctx.IsWow64();
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  char name[64];
  wsprintfA(name, "\\purvex-view-%lu", GetCurrentProcessId());
  std::string file = std::string(system) + name + ".txt";
  std::string dir = std::string(system) + name;
  {
    TFsRedirectionGuard native;
    EXPECT_EQ(native.Disabled(), wow64);
    MakeFile(file, "12345");
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
  }
  EXPECT_EQ(FileExistsStrict(file), !wow64);  // the redirected view does not see them
  EXPECT_TRUE(FileExistsAnyView(file));
  EXPECT_TRUE(DirExistsAnyView(dir));
  EXPECT_FALSE(FileExistsAnyView(dir));
  EXPECT_FALSE(DirExistsAnyView(file));
  EXPECT_EQ(GetFileSize64(file), 5);
  EXPECT_TRUE(IsLiveFile(file));
  {
    // told it runs on 32-bit Windows, the test keeps to the redirected view
    TTestContext thirtyTwoBit(false);
    TFsRedirection state;
    EXPECT_FALSE(DisableFsRedirection(state));
    RevertFsRedirection(state);  // harmless without a disable
    EXPECT_EQ(FileExistsAnyView(file), !wow64);
  }
  {
    TFsRedirectionGuard native;
    DeleteFileA(file.c_str());
    RemoveDirectoryA(dir.c_str());
  }
  EXPECT_FALSE(FileExistsAnyView(file));
  EXPECT_FALSE(DirExistsAnyView(dir));
  EXPECT_EQ(GetFileSize64(file), 0);
}

// A 64-bit process has one view of the system folder: the guard never switches anything
// off, and what lies in the system folder is found plainly.
TEST(FileExistsAnyView, ASixtyFourBitProcessHasOneViewOfTheSystemFolder) {
  TTestContext context(true);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  char name[64];
  wsprintfA(name, "\\purvex-oneview-%lu.txt", GetCurrentProcessId());
  const std::string file = std::string(system) + name;
  TFsRedirectionGuard guard;
  if (kSixtyFourBitProcess) {
    EXPECT_FALSE(guard.Disabled());
  }
  MakeFile(file, "1");
  EXPECT_TRUE(FileExistsStrict(file));
  EXPECT_TRUE(FileExistsAnyView(file));
  DeleteFileA(file.c_str());
  EXPECT_FALSE(FileExistsAnyView(file));
}
