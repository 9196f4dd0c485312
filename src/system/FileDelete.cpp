#include "system/FileDelete.h"

#include <windows.h>

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
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return TRemoveOutcome::WasGone();
  return TRemoveOutcome::Fail(error);
}
