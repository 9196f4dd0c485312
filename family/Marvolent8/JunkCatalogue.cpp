#include "JunkCatalogue.h"

#include <windows.h>
#include <shlobj.h>

#include "FamilyHandles.h"
#include "JunkRules.h"

namespace junk {

namespace {

std::wstring NoTrailingSlash(std::wstring path) {
  while (path.size() > 3 && path.back() == L'\\') path.pop_back();
  return path;
}

std::wstring WindowsDir() {
  wchar_t buf[MAX_PATH + 1] = {};
  return GetWindowsDirectoryW(buf, MAX_PATH) ? NoTrailingSlash(buf) : std::wstring();
}

std::wstring ShellFolder(int csidl) {
  wchar_t buf[MAX_PATH + 1] = {};
  return SHGetSpecialFolderPathW(nullptr, buf, csidl, FALSE) ? NoTrailingSlash(buf) : std::wstring();
}

// The long form: Windows XP often gives the temporary folder in 8.3 form, which exclusions
// and the other categories' paths would not match.
std::wstring LongPath(const std::wstring& path) {
  wchar_t buf[MAX_PATH + 1] = {};
  DWORD n = GetLongPathNameW(path.c_str(), buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(buf, n) : path;
}

void Add(std::vector<TTarget>& out, const std::wstring& folder, std::vector<std::wstring> patterns, bool recursive) {
  if (!folder.empty()) out.push_back(TTarget{folder, std::move(patterns), recursive});
}

void WindowsTemp(std::vector<TTarget>& out) { Add(out, WindowsDir() + L"\\Temp", {}, true); }

// Every file of the user's temporary folder is junk only if it is a folder of its own:
// TEMP set to a drive root, or to any folder the shell knows (Windows, the profile, its
// application data, the common application data, the documents...) or above one (or
// unset, when Windows falls back to those) would offer the user's files as checked junk.
void UserTemp(std::vector<TTarget>& out) {
  wchar_t buf[MAX_PATH + 1] = {};
  if (!GetTempPathW(MAX_PATH, buf)) return;
  std::wstring temp = LongPath(NoTrailingSlash(buf));
  if (temp.size() <= 3) return;
  if (IsInFolder(LongPath(WindowsDir()), temp)) return;
  const int kLastShellFolder = 0x3F;  // the CSIDL values Windows defines
  for (int csidl = 0; csidl <= kLastShellFolder; ++csidl) {
    const std::wstring kept = ShellFolder(csidl);
    if (!kept.empty() && IsInFolder(LongPath(kept), temp)) return;
  }
  Add(out, temp, {}, true);
}

void UpdateDownloads(std::vector<TTarget>& out) {
  Add(out, WindowsDir() + L"\\SoftwareDistribution\\Download", {}, true);
}

void DumpsAndReports(std::vector<TTarget>& out) {
  const std::wstring windows = WindowsDir();
  Add(out, windows + L"\\Minidump", {L"*.dmp"}, false);
  Add(out, windows, {L"MEMORY.DMP"}, false);
  const std::wstring local = ShellFolder(CSIDL_LOCAL_APPDATA);
  if (!local.empty()) {
    Add(out, local + L"\\CrashDumps", {L"*.dmp"}, false);
    Add(out, local + L"\\Microsoft\\Windows\\WER", {}, true);
  }
  const std::wstring common = ShellFolder(CSIDL_COMMON_APPDATA);
  if (!common.empty()) Add(out, common + L"\\Microsoft\\Windows\\WER", {}, true);
}

void ThumbnailCaches(std::vector<TTarget>& out) {
  const std::wstring local = ShellFolder(CSIDL_LOCAL_APPDATA);
  if (!local.empty()) Add(out, local + L"\\Microsoft\\Windows\\Explorer", {L"thumbcache_*.db", L"iconcache_*.db"}, false);
}

void WindowsLogs(std::vector<TTarget>& out) {
  const std::wstring windows = WindowsDir();
  Add(out, windows, {L"*.log"}, false);
  Add(out, windows + L"\\Logs", {L"*.log", L"*.etl"}, true);
  Add(out, windows + L"\\Debug", {L"*.log"}, false);
  Add(out, windows + L"\\Panther", {L"*.log"}, false);
}

void DiskCheckLeftovers(std::vector<TTarget>& out) {
  for (const std::wstring& drive : FixedDrives()) {
    WIN32_FIND_DATAW fd;
    family::TFindHandle find(FindFirstFileW((drive + L"\\FOUND.*").c_str(), &fd));
    if (!find) continue;
    do {
      if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        Add(out, drive + L"\\" + fd.cFileName, {L"*.chk"}, false);
    } while (FindNextFileW(find.Get(), &fd));
  }
}

}  // namespace

const std::vector<TCategoryDef>& Categories() {
  // Recommended categories hold only files that Windows or programs recreate on demand;
  // nothing a user made or saved is in them. The file-type sweep covers whole disks and
  // is left to the user's choice.
  static const std::vector<TCategoryDef> kCategories = {
      {L"Windows临时文件", true, 60, TTargetKind::Fixed, WindowsTemp},
      {L"用户临时文件", true, 61, TTargetKind::Fixed, UserTemp},
      {L"Windows更新下载缓存", true, 62, TTargetKind::Fixed, UpdateDownloads},
      {L"内存转储和错误报告", true, 63, TTargetKind::Fixed, DumpsAndReports},
      {L"缩略图缓存", true, 64, TTargetKind::Fixed, ThumbnailCaches},
      {L"Windows日志文件", true, 65, TTargetKind::Fixed, WindowsLogs},
      {L"磁盘检查残留文件", true, 66, TTargetKind::Fixed, DiskCheckLeftovers},
      {L"按文件类型扫描", false, 67, TTargetKind::ByFileType, nullptr},
  };
  return kCategories;
}

std::vector<TFileTypeDef> DefaultFileTypes() {
  return {
      {L"*.tmp", L"临时文件", L"临时文件", true, false},
      {L"*._mp", L"临时文件", L"临时文件", true, false},
      {L"*.$$$", L"临时文件", L"临时文件", true, false},
      {L"*.---", L"临时文件", L"临时文件", true, false},
      {L"*.chk", L"磁盘检查文件", L"系统残留", true, false},
      {L"*.gid", L"帮助索引文件", L"系统残留", true, false},
      {L"*.dmp", L"内存转储文件", L"系统残留", true, false},
      {L"*.err", L"错误报告文件", L"系统残留", true, false},
      {L"*.log", L"日志文件", L"日志文件", false, false},
      {L"*.old", L"旧版本文件", L"备份文件", false, false},
      {L"*.bak", L"备份文件", L"备份文件", false, false},
      {L"*.~*", L"编辑器备份文件", L"备份文件", false, false},
  };
}

std::wstring RedirectedSystemFolder() {
  typedef BOOL(WINAPI * IsWow64Fn)(HANDLE, PBOOL);
  auto isWow64 = FunctionCast<IsWow64Fn>(GetProcAddress(GetModuleHandleW(L"kernel32"), "IsWow64Process"));
  BOOL wow64 = FALSE;
  if (!isWow64 || !isWow64(GetCurrentProcess(), &wow64) || !wow64) return std::wstring();
  wchar_t buf[MAX_PATH + 1] = {};
  UINT n = GetSystemDirectoryW(buf, MAX_PATH);
  return n > 0 && n < MAX_PATH ? NoTrailingSlash(buf) : std::wstring();
}

std::vector<std::wstring> FixedDrives() {
  std::vector<std::wstring> drives;
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    std::wstring root = std::wstring(1, static_cast<wchar_t>(L'A' + i)) + L":\\";
    if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED) drives.push_back(root.substr(0, 2));
  }
  return drives;
}

}  // namespace junk
