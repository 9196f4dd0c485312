#include "system/ToolsFolders.h"

#include <windows.h>

#include "core/PathText.h"
#include "system/FileDelete.h"
#include "system/FindFile.h"

void ListSubDirs(const std::string& folder, std::vector<std::string>& list) {
  list.clear();
  if (folder.empty()) return;
  std::string dir = core::IncludeTrailingBackslash(folder);
  for (TFindFile f(dir + "*.*"); f.Found(); f.Next()) {
    DWORD attributes = f.Attributes();
    if (f.IsDotEntry()) continue;
    if (attributes == FILE_ATTRIBUTE_DIRECTORY ||
        attributes == (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED))
      list.push_back(dir + f.Name());
  }
}

void ListSubDirsRecursive(const std::string& folder, std::vector<std::string>& list) {
  if (folder.empty()) return;
  std::string dir = core::CollapseDoubleBackslashes(core::IncludeTrailingBackslash(folder));
  size_t first = list.size();
  for (TFindFile f(dir + "*.*"); f.Found(); f.Next()) {
    if (!f.IsDir() || f.IsLink()) continue;
    std::string name = f.Name();
    if (name[0] != '.') list.push_back(dir + name);
  }
  // The recursion appends behind these, so their positions stay valid; copy the path,
  // as the list may reallocate.
  size_t last = list.size();
  for (size_t i = first; i < last; ++i) {
    std::string sub = list[i];
    ListSubDirsRecursive(sub, list);
  }
}

void DeleteFilesInDir(const std::string& folder) {
  if (folder.size() <= 1) return;
  std::string dir = core::ExcludeTrailingBackslash(folder);
  DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  // Names first, deletions after: the listing is not disturbed by its own removals.
  std::vector<std::string> files;
  for (TFindFile f(dir + "\\*.*"); f.Found(); f.Next()) {
    if (!f.IsDir()) files.push_back(dir + "\\" + f.Name());
  }
  for (const std::string& file : files) (void)DeleteOneFile(file);
}
