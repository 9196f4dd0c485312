#include "traces/ScanFolderTree.h"

#include "core/PathText.h"
#include "core/TraceScanRules.h"
#include "system/FindFile.h"
#include "system/ToolsFiles.h"
#include "traces/TraceFindings.h"

namespace {

// dir ends with a backslash.
bool Walk(TItemScan& scan, const std::string& dir, const std::vector<std::string>& excluded) {
  for (TFindFile f(dir + "*.*"); f.Found(); f.Next()) {
    const std::string name = f.Name();
    if (name == "." || name == "..") continue;
    const std::string path = dir + name;
    if (f.IsDir()) {
      if (!(f.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT) && Walk(scan, path + "\\", excluded)) return true;
    } else if (!core::IsExcludedName(name, excluded) && IsLiveFile(path)) {
      AddFileFinding(scan, path, name, kKindFile, f.Size());
    }
    if (EntryDone(scan)) return true;
  }
  return false;
}

}  // namespace

bool ScanFolderTree(TItemScan& scan, const std::string& folder) {
  return ScanFolderTree(scan, folder, std::vector<std::string>());
}

bool ScanFolderTree(TItemScan& scan, const std::string& folder, const std::vector<std::string>& excludedLower) {
  // An empty text would list the current folder.
  if (folder.empty()) return false;
  return Walk(scan, core::IncludeTrailingBackslash(folder), excludedLower);
}
