#include "system/FileDelete.h"

#include <windows.h>

#include <vector>

#include "core/GbkText.h"
#include "core/PathText.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/Handles.h"

namespace {

// Vista and later; looked up, since Windows 2000 and XP lack them.
typedef DWORD(WINAPI* FinalPathFn)(HANDLE, LPSTR, DWORD, DWORD);
typedef BOOL(WINAPI* SetInfoFn)(HANDLE, int, LPVOID, DWORD);
const int kFileBasicInfo = 0, kFileDispositionInfo = 4;
struct TFileBasicInfo {
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime;
  DWORD FileAttributes;
};

// The folders from the walk's root (or, without one, the file's own folder) down to the
// file's folder; empty for a path that names no drive.
std::vector<std::string> WayOf(const std::string& base, const std::string& path) {
  std::vector<std::string> folders = core::FoldersFromBase(base, path);
  return folders.empty() ? core::FoldersFromBase(core::ExtractFileDir(path), path) : folders;
}

bool IsGoneError(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

std::string FinalPath(HANDLE handle, FinalPathFn finalPath) {
  std::vector<char> buffer(MAX_PATH + 1);
  DWORD n = finalPath(handle, buffer.data(), DWORD(buffer.size()), 0);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = finalPath(handle, buffer.data(), DWORD(buffer.size()), 0);
  }
  return n > 0 && n < buffer.size() ? std::string(buffer.data(), n) : std::string();
}

// The confirmed folder's final path and the rest of the way below it.
bool SameFinalPath(HANDLE file, const std::string& folder, const std::string& rest, FinalPathFn finalPath) {
  TFileHandle dir(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!dir.Valid()) return false;
  const std::string expected = core::IncludeTrailingBackslash(FinalPath(dir.Get(), finalPath)) + rest;
  const std::string actual = FinalPath(file, finalPath);
  return !actual.empty() && core::SameTextGbk(actual, expected);
}

TRemoveOutcome DeleteThroughHandle(HANDLE file, const std::string& path, SetInfoFn setInfo) {
  BOOL remove = TRUE;
  if (setInfo(file, kFileDispositionInfo, &remove, sizeof remove)) return TRemoveOutcome::Gone();
  DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return TRemoveOutcome::Fail(error);
  TFileBasicInfo basic = {};
  basic.FileAttributes = (attributes & ~FILE_ATTRIBUTE_READONLY) ? (attributes & ~FILE_ATTRIBUTE_READONLY) : FILE_ATTRIBUTE_NORMAL;
  if (!setInfo(file, kFileBasicInfo, &basic, sizeof basic)) return TRemoveOutcome::Fail(error);
  if (setInfo(file, kFileDispositionInfo, &remove, sizeof remove)) return TRemoveOutcome::Gone();
  error = GetLastError();
  basic.FileAttributes = attributes;  // a file that stays keeps its mark
  setInfo(file, kFileBasicInfo, &basic, sizeof basic);
  return TRemoveOutcome::Fail(error);
}

}  // namespace

TRemoveOutcome DeleteOneFile(const std::string& path) {
  if (DeleteFileA(path.c_str())) return TRemoveOutcome::Gone();
  DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (DeleteFileA(path.c_str())) return TRemoveOutcome::Gone();
    error = GetLastError();
    SetFileAttributesA(path.c_str(), attributes);  // a file that stays keeps its mark
  }
  if (IsGoneError(error)) return TRemoveOutcome::WasGone();
  return TRemoveOutcome::Fail(error);
}

TFolderWay CheckFolderWay(const std::string& base, const std::string& path) {
  const std::vector<std::string> folders = WayOf(base, path);
  if (folders.empty()) return TFolderWay::Link;  // no full path: nothing to confirm
  for (const std::string& folder : folders) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return IsGoneError(GetLastError()) ? TFolderWay::Gone : TFolderWay::Link;
    if (IsLinkAttributes(attributes) || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return TFolderWay::Link;
  }
  return TFolderWay::Plain;
}

TRemoveOutcome DeleteFileBelow(const std::string& base, const std::string& path) {
  const TFolderWay way = CheckFolderWay(base, path);
  if (way == TFolderWay::Gone) return TRemoveOutcome::WasGone();
  if (way == TFolderWay::Link) return TRemoveOutcome::Fail(kErrorFolderNowLink);
  const auto finalPath = ProcAddress<FinalPathFn>(GetModuleHandleA("kernel32"), "GetFinalPathNameByHandleA");
  const auto setInfo = ProcAddress<SetInfoFn>(GetModuleHandleA("kernel32"), "SetFileInformationByHandle");
  if (AppContext().MajorVersion() < 6 || !finalPath || !setInfo) return DeleteOneFile(path);
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  TFileHandle file(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, share, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.Valid() && GetLastError() == ERROR_ACCESS_DENIED)
    file.Reset(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file.Valid()) {
    const DWORD error = GetLastError();
    return IsGoneError(error) ? TRemoveOutcome::WasGone() : TRemoveOutcome::Fail(error);
  }
  // The file now held is the one below the confirmed folder, whatever changes from here.
  const std::string top = WayOf(base, path).front();  // there is one: the way checked out
  const std::string rest = path.substr(core::IncludeTrailingBackslash(top).size());
  if (!SameFinalPath(file.Get(), top, rest, finalPath)) return TRemoveOutcome::Fail(kErrorFolderNowLink);
  return DeleteThroughHandle(file.Get(), path, setInfo);
}
