#include "system/ToolsFiles.h"

#include <windows.h>

#include "core/GbkText.h"
#include "core/OSVersionRules.h"
#include "core/PathText.h"
#include "system/AppContext.h"
#include "system/FindFile.h"
#include "system/ToolsViews.h"

bool FileExistsStrict(const std::string& path) {
  // FindFirstFileA below would take a pattern for a match of any file.
  if (path.empty() || core::HasWildcard(path)) return false;
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
    return false;
  // A file locked against attribute reading still shows in its folder's listing.
  TFindFile find(path);
  return find.Found() && !find.IsDir();
}

bool FileExistsInPathDirs(const std::string& name) {
  const std::vector<std::string>& dirs = AppContext().PathDirs;
  if (dirs.empty() || core::FindCharGbk(name, '\\') != std::string::npos)
    return FileExistsAnyView(name);
  for (const std::string& dir : dirs) {
    if (!dir.empty() && FileExistsAnyView(core::IncludeTrailingBackslash(dir) + name)) return true;
  }
  return false;
}

bool FileExistsOnPath(const std::string& name) {
  if (core::HasFileExtension(name)) return FileExistsInPathDirs(name);
  static const char* const kExecutableExtensions[] = {".exe", ".com", ".bat", ".cmd"};
  for (const char* ext : kExecutableExtensions) {
    if (FileExistsInPathDirs(name + ext)) return true;
  }
  return false;
}

bool IsLiveFile(const std::string& path) {
  std::string trimmed = core::TrimBlanks(path);
  if (AppContext().PendingDeleteFiles.count(trimmed)) return false;
  return FileExistsAnyView(trimmed);
}

bool IsListedFileLive(const std::string& path) {
  const auto& pending = AppContext().PendingDeleteFiles;
  return pending.empty() || !pending.count(core::TrimBlanks(path));
}

int64_t GetFileSize64(const std::string& path) {
  if (path.empty() || core::HasWildcard(path)) return 0;
  TFsRedirectionGuard native;
  TFindFile find(path);
  return find.Found() ? find.Size() : 0;
}
