// Every fixed disk of a bench prefix lies inside the build folder: Wine's drive Z: would be
// the machine's root, where a scan by file type walks the machine's own files and a clean
// would delete them.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "family/JunkEngineClient.h"

namespace {

std::wstring EnvText(const wchar_t* name) {
  wchar_t buf[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : std::wstring();
}

// A Unix folder as Wine names it in its Unix namespace.
std::wstring InUnixNamespace(std::wstring unixPath) {
  for (wchar_t& c : unixPath)
    if (c == L'/') c = L'\\';
  return L"\\\\?\\unix" + unixPath;
}

// The folder's file index (Wine takes it from the Unix inode), so that one folder reached
// through a drive and through the Unix namespace is recognised; {0, 0} when it cannot open.
std::pair<DWORD, DWORD> FolderIdentity(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {0, 0};
  BY_HANDLE_FILE_INFORMATION info = {};
  const BOOL ok = GetFileInformationByHandle(h, &info);
  CloseHandle(h);
  return ok ? std::make_pair(info.nFileIndexHigh, info.nFileIndexLow) : std::make_pair(0UL, 0UL);
}

// A file that exists while the object lives.
struct TScratchFile {
  explicit TScratchFile(const std::wstring& path) : Path(path) { WriteFile(path, 3); }
  ~TScratchFile() { DeleteFileW(Path.c_str()); }
  std::wstring Path;
};

}  // namespace

// The bench's fixed disks are C: (the prefix's own drive_c) and Z: (the build folder whose
// programs run there); a scan of every disk by file type reaches both and nothing else.
TEST(WholeDiskScan, NeverNamesAPathOutsideTheBuildFolder) {
  const std::wstring prefix = EnvText(L"WINEPREFIX");
  const std::wstring build = EnvText(L"PURVEX_BUILD");
  ASSERT_FALSE(prefix.empty()) << "not in a bench prefix";
  ASSERT_FALSE(build.empty()) << "PURVEX_BUILD names no build folder";
  const std::set<std::pair<DWORD, DWORD>> allowed = {FolderIdentity(InUnixNamespace(prefix + L"/drive_c")),
                                                     FolderIdentity(InUnixNamespace(build))};
  ASSERT_EQ(allowed.size(), 2u);
  ASSERT_FALSE(allowed.count({0, 0}));

  std::set<wchar_t> fixed;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    const std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":\\";
    if (!(mask & (1u << i)) || GetDriveTypeW(root.c_str()) != DRIVE_FIXED) continue;
    fixed.insert(root[0]);
    EXPECT_TRUE(allowed.count(FolderIdentity(root))) << "drive " << static_cast<char>(root[0])
                                                      << ": lies outside the prefix and the build folder";
  }

  // One file on the system drive and one beside this program: the scan must reach both, so
  // it really walked every disk.
  TTempFolder dir;
  const std::wstring name = L"whole-disk-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  TScratchFile onSystemDrive(dir.File(name));
  TScratchFile besideProgram(ModuleDir() + L"\\" + name);

  Engine engine(dir);
  ASSERT_TRUE(engine);
  const TRubbishItem byType = engine.CategoryNamed(L"按文件类型扫描");
  ASSERT_NE(byType, 0u);
  engine.SelectOnly(byType);
  ASSERT_EQ(engine->RunScan(), S_OK);

  const std::set<std::wstring> files = engine.Files(byType);
  EXPECT_TRUE(files.count(onSystemDrive.Path)) << "the system drive was not scanned";
  EXPECT_TRUE(files.count(besideProgram.Path)) << "the program's drive was not scanned";
  for (const std::wstring& file : files)
    ASSERT_TRUE(file.size() > 3 && file[1] == L':' && fixed.count(file[0])) << "not on a fixed disk of the bench";
}
