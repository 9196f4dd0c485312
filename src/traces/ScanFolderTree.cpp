#include "traces/ScanFolderTree.h"

#include "core/PathText.h"
#include "core/TraceScanRules.h"
#include "system/FindFile.h"
#include "system/ToolsFiles.h"
#include "traces/TraceFindings.h"

namespace {

// dir ends with a backslash; it is the walk's one path buffer (each entry's path is built
// in it and it is given back as it came).
bool Walk(TItemScan& scan, const std::string& root, std::string& dir, const std::vector<std::string>& excluded) {
  const size_t base = dir.size();
  for (TFindFile f(dir + "*.*"); f.Found(); f.Next()) {
    const char* name = f.Data().cFileName;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
    dir.resize(base);
    dir += name;
    if (f.IsDir()) {
      if (!f.IsLink()) {
        dir += '\\';
        if (Walk(scan, root, dir, excluded)) return true;
      }
    } else if ((excluded.empty() || !core::IsExcludedName(name, excluded)) && IsListedFileLive(dir)) {
      AddFileFinding(scan, dir, name, kKindFile, f.Size(), root);
    }
    if (EntryDone(scan)) return true;
  }
  dir.resize(base);
  return false;
}

}  // namespace

bool ScanFolderTree(TItemScan& scan, const std::string& folder) {
  return ScanFolderTree(scan, folder, std::vector<std::string>());
}

bool ScanFolderTree(TItemScan& scan, const std::string& folder, const std::vector<std::string>& excludedLower) {
  // An empty or relative text would list the current drive's or folder's files.
  if (!core::IsFullPath(folder)) return false;
  std::string dir = core::IncludeTrailingBackslash(folder);
  if (IsLinkPath(core::ExcludeTrailingBackslash(dir))) return false;
  return Walk(scan, core::ExcludeTrailingBackslash(dir), dir, excludedLower);
}
